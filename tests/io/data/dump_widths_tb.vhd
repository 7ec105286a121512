-- A design with buses of 8, 128 and 1024 bits, partly high-impedance values and a clock, that the
-- dump readers are tested with: GHDL writes its dump with --vcd=NAME or --fst=NAME.
library ieee;
use ieee.std_logic_1164.all;
use ieee.numeric_std.all;

entity dump_widths_tb is
end entity dump_widths_tb;

architecture sim of dump_widths_tb is
  constant pattern : std_logic_vector(1023 downto 0) :=
    x"13579bdf2468ace0" & x"13579bdf2468ace0" & x"13579bdf2468ace0" & x"13579bdf2468ace0" & x"13579bdf2468ace0" & x"13579bdf2468ace0" & x"13579bdf2468ace0" & x"13579bdf2468ace0" & x"13579bdf2468ace0" & x"13579bdf2468ace0" & x"13579bdf2468ace0" & x"13579bdf2468ace0" & x"13579bdf2468ace0" & x"13579bdf2468ace0" & x"13579bdf2468ace0" & x"13579bdf2468ace0";
  signal clk : std_logic := '0';
  signal rst : std_logic := '1';
  signal count : unsigned(7 downto 0) := (others => '0');
  signal wide : std_logic_vector(127 downto 0) := (others => '0');
  signal huge : std_logic_vector(1023 downto 0) := (others => '0');
  signal bus_out : std_logic_vector(7 downto 0);
  signal half : std_logic_vector(7 downto 0) := "ZZZZ0101";
  signal valid : std_logic := '0';
  signal drive : std_logic := '0';
begin
  clk <= not clk after 5 ns when now < 420 ns else clk;
  rst <= '0' after 22 ns;
  bus_out <= std_logic_vector(count xor x"5a") when drive = '1' else (others => 'Z');

  registers : process (clk)
  begin
    if rising_edge(clk) then
      if rst = '1' then
        count <= (others => '0');
        wide <= (others => '0');
        huge <= (others => '0');
        valid <= '0';
        drive <= '0';
      else
        count <= count + 3;
        wide <= (wide(95 downto 0) & std_logic_vector(count) & x"c0ffee") xor
                (x"0123456789abcdef" & x"fedcba9876543210");
        huge <= (huge(1015 downto 0) & std_logic_vector(count)) xor pattern;
        valid <= count(1);
        drive <= count(2);
      end if;
    end if;
    if falling_edge(clk) then
      half <= half(3 downto 0) & half(7 downto 4);
    end if;
  end process registers;
end architecture sim;
