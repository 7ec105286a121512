// A counter that the value change dump import is tested with: vvp writes counter.vcd.
`timescale 1ns/1ps

module counter(input clk, input rst, output reg [7:0] count);
  always @(posedge clk)
    if (rst) count <= 8'd0;
    else count <= count + 8'd1;
endmodule

module tb;
  reg clk = 0;
  reg rst = 1;
  wire [7:0] count;
  counter dut(.clk(clk), .rst(rst), .count(count));
  always #5 clk = ~clk;
  initial begin
    $dumpfile("counter.vcd");
    $dumpvars(0, tb);
    #12 rst = 0;
    #300 $finish;
  end
endmodule
