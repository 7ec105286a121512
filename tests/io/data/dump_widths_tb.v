// A design with buses of 8, 128 and 1024 bits, partly high-impedance values and a clock, that the
// dump readers are tested with: vvp writes the dump named by +dump=NAME (with -fst, as FST), and so
// does Verilator's FST trace (which has two states only: no z there). Compiled with -DLATE_RESET it
// is the next version of the design, whose edges all come two clock periods later.
`timescale 1ns/1ps

module source(input clk, input rst, output reg [7:0] count, output reg [127:0] wide,
              output reg [1023:0] huge, output wire [7:0] bus, output reg valid);
  reg drive = 0;
`ifdef VERILATOR
  assign bus = drive ? count ^ 8'h5a : 8'h00; // two states only
`else
  assign bus = drive ? count ^ 8'h5a : 8'bzzzz_zzzz;
`endif
  always @(posedge clk)
    if (rst) begin
      count <= 8'd0; wide <= 128'd0; huge <= 1024'd0; valid <= 1'b0; drive <= 1'b0;
    end else begin
      count <= count + 8'd3;
      wide <= {wide[95:0], count, 24'hc0ffee} ^ {64'h0123_4567_89ab_cdef, 64'hfedc_ba98_7654_3210};
      huge <= {huge[1015:0], count} ^ {16{64'h1357_9bdf_2468_ace0}};
      valid <= count[1];
      drive <= count[2];
    end
endmodule

module tb;
  reg clk = 0;
  reg rst = 1;
  wire [7:0] count, bus;
  wire [127:0] wide;
  wire [1023:0] huge;
  wire valid;
`ifdef VERILATOR
  reg [7:0] half = 8'b1010_0101; // two states only
`else
  reg [7:0] half = 8'bzzzz_0101;
`endif
  reg [255:0] name;
  source dut(.clk(clk), .rst(rst), .count(count), .wide(wide), .huge(huge), .bus(bus), .valid(valid));
  always #5 clk = ~clk;
  always @(negedge clk) half <= {half[3:0], half[7:4]};
  initial begin
    if (!$value$plusargs("dump=%s", name)) name = "dump.vcd";
    $dumpfile(name);
    $dumpvars(0, clk, half, dut); // not the file name, which differs between the runs
`ifdef LATE_RESET
    #42 rst = 0; // the design changed: two clock periods more in reset
`else
    #22 rst = 0;
`endif
    #400 $finish;
  end
endmodule
