#pragma once

namespace sigmora::edit {

class Session;

// File > Export > "Value Change Dump (.vcd)...", "Verilog stimulus (.v)..." and "VHDL stimulus
// (.vhd)...": the drawn waveforms as timed changes, with the half-period chosen in a dialog.
void registerStimulusExports(Session& session);

} // namespace sigmora::edit
