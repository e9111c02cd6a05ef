// 硬连线控制器实验 / The hard-wired controller lab: the skeleton to complete.
//
// This controller runs programs (SWC SWB SWA = 0 0 0) and already knows SUB,
// AND, INC, JC, JZ and HLT. Complete it for the instruction fetch and for
// ADD, LD, ST and JMP, then load it (微程序 -> 读硬连线控制器…), choose
// 硬连线 and run the sum program.
//
// Where to look: the standard microprogram, ../microprogram/standard.mc,
// says in each word which signals are on in that cycle and where it goes
// next. Each TODO below names the words to read. The cycles are numbered as
// those words, so STATE reads like uAR: running the same program in 微程序
// and 硬连线 mode, the two must go through the same cycles.
//
// How the board runs it: `cycle` steps once a machine cycle, when clk rises;
// CLR sets it to 0 (CONSOLE). The signals are formed anew at every small
// beat from `cycle` and the inputs.
module controller (
    input clk,
    input SWC, SWB, SWA,      // the console's mode switches
    input [7:0] IR,           // IR7..IR4: the opcode; IR3..IR2: Rd; IR1..IR0: Rs
    input C, Z,               // the flags
    output DRW, PCINC, LPC, LAR, MEMW, STOP, LIR, PCADD,
    output ABUS, MBUS, LDZ, LDC, CIN, M,
    output [3:0] S,
    output RD1, RD0, RS1, RS0,
    output [5:0] STATE
);

  localparam CONSOLE   = 6'h00;  // 0 0 0 on the switches: run the program
  localparam FETCH     = 6'h01;  // IR = memory[PC], PC + 1
  localparam ADD       = 6'h21;  // ADD Rd,Rs
  localparam SUB       = 6'h22;  // SUB Rd,Rs
  localparam AND       = 6'h23;  // AND Rd,Rs
  localparam INC       = 6'h24;  // INC Rd
  localparam LD        = 6'h25;  // LD Rd,[Rs], first cycle
  localparam LD_2      = 6'h0E;  //             second cycle
  localparam ST        = 6'h26;  // ST [Rd],Rs, first cycle
  localparam ST_2      = 6'h10;  //             second cycle
  localparam JC        = 6'h27;  // JC n
  localparam JZ        = 6'h28;  // JZ n
  localparam NOT_TAKEN = 6'h12;  //   the jump not taken
  localparam TAKEN     = 6'h13;  //   the jump taken
  localparam JMP       = 6'h29;  // JMP Rd
  localparam HLT       = 6'h2E;  // HLT

  // ---- The cycle counter -----------------------------------------------
  reg [5:0] cycle;
  reg [5:0] next;

  always @(*) begin
    case (cycle)
      CONSOLE:    next = {SWC, SWB, SWA} == 3'b000 ? FETCH : CONSOLE;
      // TODO: from FETCH to the instruction's own cycle, 20 + the opcode
      // (word 01 and its P1).
      FETCH:      next = CONSOLE;
      SUB, AND, INC, HLT:
                  next = FETCH;
      JC:         next = C ? TAKEN : NOT_TAKEN;
      JZ:         next = Z ? TAKEN : NOT_TAKEN;
      NOT_TAKEN, TAKEN:
                  next = FETCH;
      // TODO: ADD, LD, LD_2, ST, ST_2, JMP (words 21, 25, 0E, 26, 10, 29).
      default:    next = CONSOLE;
    endcase
  end

  always @(posedge clk) cycle <= next;

  assign STATE = cycle;

  // at[X] is 1 in cycle X, and only then.
  wire [63:0] at = 64'b1 << cycle;

  // ---- The signals -----------------------------------------------------
  // TODO: add FETCH (word 01), ADD (21), LD and LD_2 (25, 0E), ST and ST_2
  // (26, 10) and JMP (29) to the signals they turn on.
  assign LIR   = 1'b0;
  assign PCINC = 1'b0;
  assign LPC   = 1'b0;
  assign PCADD = at[TAKEN];
  assign LAR   = 1'b0;
  assign MEMW  = 1'b0;
  assign DRW   = at[SUB] | at[AND] | at[INC];
  assign ABUS  = at[SUB] | at[AND] | at[INC];
  assign MBUS  = 1'b0;
  assign STOP  = at[HLT];
  assign LDC   = at[SUB] | at[INC];
  assign LDZ   = at[SUB] | at[AND] | at[INC];
  assign CIN   = 1'b0;
  assign M     = at[AND];

  // The ALU's function S3..S0 (with M): 9 is A plus B, 6 A minus B, 0 A plus
  // 1, B (with M=1) A AND B, A (with M=1) passes B, F (with M=1) passes A.
  reg [3:0] alu;
  always @(*) begin
    case (cycle)
      SUB:     alu = 4'h6;
      AND:     alu = 4'hB;
      // TODO: ADD, LD, ST, ST_2, JMP
      default: alu = 4'h0;
    endcase
  end
  assign S = alu;

  // The registers come from the instruction: RD = IR3 IR2, RS = IR1 IR0.
  assign {RD1, RD0, RS1, RS0} = IR[3:0];

endmodule
