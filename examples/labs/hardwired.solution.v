// 硬连线控制器实验 / The hard-wired controller lab: a solution, the skeleton
// hardwired.v completed.
//
// It runs programs (SWC SWB SWA = 0 0 0): the fetch, ADD, SUB, AND, INC, LD,
// ST, JC, JZ, JMP and HLT, each cycle with the signals of the standard
// microprogram's word of the same number (../microprogram/standard.mc).
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
      FETCH:      next = {2'b10, IR[7:4]};
      ADD, SUB, AND, INC, JMP, HLT:
                  next = FETCH;
      JC:         next = C ? TAKEN : NOT_TAKEN;
      JZ:         next = Z ? TAKEN : NOT_TAKEN;
      NOT_TAKEN, TAKEN:
                  next = FETCH;
      LD:         next = LD_2;
      LD_2:       next = FETCH;
      ST:         next = ST_2;
      ST_2:       next = FETCH;
      default:    next = CONSOLE;
    endcase
  end

  always @(posedge clk) cycle <= next;

  assign STATE = cycle;

  // at[X] is 1 in cycle X, and only then.
  wire [63:0] at = 64'b1 << cycle;

  // ---- The signals -----------------------------------------------------
  assign LIR   = at[FETCH];
  assign PCINC = at[FETCH];
  assign LPC   = at[JMP];
  assign PCADD = at[TAKEN];
  assign LAR   = at[LD] | at[ST];
  assign MEMW  = at[ST_2];
  assign DRW   = at[ADD] | at[SUB] | at[AND] | at[INC] | at[LD_2];
  assign ABUS  = at[ADD] | at[SUB] | at[AND] | at[INC] | at[LD] | at[ST] | at[ST_2] | at[JMP];
  assign MBUS  = at[LD_2];
  assign STOP  = at[HLT];
  assign LDC   = at[ADD] | at[SUB] | at[INC];
  assign LDZ   = at[ADD] | at[SUB] | at[AND] | at[INC];
  assign CIN   = at[ADD];
  assign M     = at[AND] | at[LD] | at[ST] | at[ST_2] | at[JMP];

  // The ALU's function S3..S0 (with M): 9 is A plus B, 6 A minus B, 0 A plus
  // 1, B (with M=1) A AND B, A (with M=1) passes B, F (with M=1) passes A.
  reg [3:0] alu;
  always @(*) begin
    case (cycle)
      SUB:     alu = 4'h6;
      AND:     alu = 4'hB;
      ADD:     alu = 4'h9;
      LD:      alu = 4'hA;
      ST:      alu = 4'hF;
      ST_2:    alu = 4'hA;
      JMP:     alu = 4'hF;
      default: alu = 4'h0;
    endcase
  end
  assign S = alu;

  // The registers come from the instruction: RD = IR3 IR2, RS = IR1 IR0.
  assign {RD1, RD0, RS1, RS0} = IR[3:0];

endmodule
