// The board's standard controller, hard-wired.
//
// It does everything the standard control store does (every console
// sequence, every instruction, interrupts), built as a hard-wired controller
// is built in the course: a cycle counter that says which machine cycle the
// board is in, the next cycle decided from the switches, IR and the flags,
// and then one equation per control signal saying in which cycles it is on.
//
// The cycles are numbered as the micro-addresses of the standard control
// store, so STATE reads like uAR and the two controllers can be followed side
// by side. Load it with 微程序 -> 读硬连线控制器…, or in a script:
//   load-controller standard.v
//   mode hardwired
//
// How the board runs it: `cycle` steps at the small beat in which the
// sequencer loads the micro-address (clk rises there); CLR and power-on set
// it to 0 (CONSOLE), and the first rise after CLR is skipped, as the
// sequencer skips its first load. The signals are formed anew at every small
// beat from `cycle` and the inputs.
module controller (
    input clk,
    input SWC, SWB, SWA,      // the console's mode switches
    input [7:0] IR,           // IR7..IR4 from the jacks IR7-I..IR4-I, IR3..IR0 from IR
    input C, Z,               // the flags, from the jacks C-I and Z-I
    input INTQ,               // an interrupt request is waiting
    output DRW, PCINC, LPC, ARINC, LAR, MEMW, STOP, LIR,
    output ABUS, SBUS, MBUS, IABUS, LIAR, INTDI, INTEN, PCADD,
    output LDZ, LDC, CIN, M,
    output [3:0] S,
    output RD1, RD0, RS1, RS0,
    output P4,                // this cycle ends an instruction: an interrupt may come in
    output [5:0] STATE
);

  // ---- The cycles ------------------------------------------------------
  // The console: SWC SWB SWA choose what the START button does.
  localparam CONSOLE    = 6'h00;  // decide from SWC SWB SWA (000 runs a program)
  localparam FETCH      = 6'h01;  // IR = memory[PC], PC+1; then the instruction's cycle
  // 写存储器 (SWC SWB SWA = 001): AR = switches, then memory[AR] = switches, AR+1, again and again
  localparam WMEM_ADDR  = 6'h03;
  localparam WMEM_WRITE = 6'h02;
  // 读存储器 (010): AR = switches, then memory[AR] onto the bus, AR+1, again and again
  localparam RMEM_ADDR  = 6'h05;
  localparam RMEM_READ  = 6'h04;
  // 读寄存器 (011): show R0 and R1 on A and B, then R2 and R3
  localparam RREG_R0R1  = 6'h07;
  localparam RREG_R2R3  = 6'h06;
  // 写寄存器 (100): R0, R1, R2, R3 = switches, one a cycle
  localparam WREG_R0    = 6'h09;
  localparam WREG_R1    = 6'h08;
  localparam WREG_R2    = 6'h0A;
  localparam WREG_R3    = 6'h0C;
  // 运算器实验 (101): R0, R1 = switches, then R0+R1, R0-R1, R0 AND R1, R0 OR R1 on the bus
  localparam ALU_R0     = 6'h0B;
  localparam ALU_R1     = 6'h15;
  localparam ALU_ADD    = 6'h16;
  localparam ALU_SUB    = 6'h17;
  localparam ALU_AND    = 6'h18;
  localparam ALU_OR     = 6'h19;
  // 存储器实验 (110): AR = PC = switches, three writes, AR = PC = switches, three reads
  localparam MEM_ADDR   = 6'h0D;
  localparam MEM_W0     = 6'h1A;
  localparam MEM_W1     = 6'h1B;
  localparam MEM_W2     = 6'h1C;
  localparam MEM_ADDR2  = 6'h1D;
  localparam MEM_R0     = 6'h1F;
  localparam MEM_R1     = 6'h30;
  localparam MEM_R2     = 6'h31;
  // 数据通路实验 (111): R0..R3 = switches, AR = PC = switches, R0..R3 into
  // memory, AR = switches, memory into R3..R0
  localparam DP_R0      = 6'h0F;
  localparam DP_R1      = 6'h32;
  localparam DP_R2      = 6'h33;
  localparam DP_R3      = 6'h34;
  localparam DP_ADDR    = 6'h35;
  localparam DP_W0      = 6'h36;
  localparam DP_W1      = 6'h37;
  localparam DP_W2      = 6'h38;
  localparam DP_W3      = 6'h39;
  localparam DP_ADDR2   = 6'h3A;
  localparam DP_LD_R3   = 6'h3B;
  localparam DP_LD_R2   = 6'h3C;
  localparam DP_LD_R1   = 6'h3D;
  localparam DP_LD_R0   = 6'h3E;
  // The instructions: FETCH goes to 20 + the opcode (IR7..IR4).
  localparam OP_0       = 6'h20;  // opcode 0: back to the console
  localparam ADD        = 6'h21;  // ADD Rd,Rs: Rd = Rd + Rs, loads C and Z
  localparam SUB        = 6'h22;  // SUB Rd,Rs: Rd = Rd - Rs, loads C and Z
  localparam AND        = 6'h23;  // AND Rd,Rs: Rd = Rd AND Rs, loads Z
  localparam INC        = 6'h24;  // INC Rd:    Rd = Rd + 1, loads C and Z
  localparam LD         = 6'h25;  // LD Rd,[Rs]: AR = Rs ...
  localparam LD_2       = 6'h0E;  //             ... then Rd = memory[AR]
  localparam ST         = 6'h26;  // ST [Rd],Rs: AR = Rd ...
  localparam ST_2       = 6'h10;  //             ... then memory[AR] = Rs
  localparam JC         = 6'h27;  // JC n: test C ...
  localparam JZ         = 6'h28;  // JZ n: test Z ...
  localparam NOT_TAKEN  = 6'h12;  //   ... not taken: nothing to do
  localparam TAKEN      = 6'h13;  //   ... taken: PC = PC + n (IR3..IR0)
  localparam JMP        = 6'h29;  // JMP Rd: PC = Rd
  localparam OP_A       = 6'h2A;  // opcode A: Rs onto the bus
  localparam IRET       = 6'h2B;  // IRET: PC = IAR
  localparam DI         = 6'h2C;  // DI: interrupts off
  localparam EI         = 6'h2D;  // EI: interrupts on
  localparam HLT        = 6'h2E;  // HLT: STOP
  localparam OP_F       = 6'h2F;  // opcode F: back to the console
  // An interrupt, taken at the end of an instruction when INTQ is 1.
  localparam INTERRUPT  = 6'h11;  // interrupts off, IAR = PC, STOP
  localparam VECTOR     = 6'h14;  // PC = switches (the handler's address)

  // ---- The cycle counter -----------------------------------------------
  reg [5:0] cycle;
  reg [5:0] next;

  // The end of an instruction: an interrupt request is taken here.
  wire [5:0] after_instruction = INTQ ? INTERRUPT : FETCH;

  always @(*) begin
    case (cycle)
      // SWC SWB SWA pick 01, 03, 05, 07, 09, 0B, 0D or 0F.
      CONSOLE:    next = {2'b00, SWC, SWB, SWA, 1'b1};
      // The opcode picks 20 .. 2F.
      FETCH:      next = {2'b10, IR[7:4]};

      ADD, SUB, AND, INC, JMP, OP_A, IRET, HLT:
                  next = after_instruction;
      LD:         next = LD_2;
      LD_2:       next = after_instruction;
      ST:         next = ST_2;
      ST_2:       next = after_instruction;
      JC:         next = C ? TAKEN : NOT_TAKEN;
      JZ:         next = Z ? TAKEN : NOT_TAKEN;
      NOT_TAKEN, TAKEN:
                  next = after_instruction;
      DI, EI:     next = FETCH;  // no interrupt between EI/DI and the next instruction
      INTERRUPT:  next = VECTOR;
      VECTOR:     next = FETCH;

      WMEM_ADDR:  next = WMEM_WRITE;
      WMEM_WRITE: next = WMEM_WRITE;
      RMEM_ADDR:  next = RMEM_READ;
      RMEM_READ:  next = RMEM_READ;
      RREG_R0R1:  next = RREG_R2R3;
      WREG_R0:    next = WREG_R1;
      WREG_R1:    next = WREG_R2;
      WREG_R2:    next = WREG_R3;
      ALU_R0:     next = ALU_R1;
      ALU_R1:     next = ALU_ADD;
      ALU_ADD:    next = ALU_SUB;
      ALU_SUB:    next = ALU_AND;
      ALU_AND:    next = ALU_OR;
      MEM_ADDR:   next = MEM_W0;
      MEM_W0:     next = MEM_W1;
      MEM_W1:     next = MEM_W2;
      MEM_W2:     next = MEM_ADDR2;
      MEM_ADDR2:  next = MEM_R0;
      MEM_R0:     next = MEM_R1;
      MEM_R1:     next = MEM_R2;
      DP_R0:      next = DP_R1;
      DP_R1:      next = DP_R2;
      DP_R2:      next = DP_R3;
      DP_R3:      next = DP_ADDR;
      DP_ADDR:    next = DP_W0;
      DP_W0:      next = DP_W1;
      DP_W1:      next = DP_W2;
      DP_W2:      next = DP_W3;
      DP_W3:      next = DP_ADDR2;
      DP_ADDR2:   next = DP_LD_R3;
      DP_LD_R3:   next = DP_LD_R2;
      DP_LD_R2:   next = DP_LD_R1;
      DP_LD_R1:   next = DP_LD_R0;

      // The last cycle of a console sequence, opcodes 0 and F and the
      // unused numbers: back to the console.
      default:    next = CONSOLE;
    endcase
  end

  always @(posedge clk) cycle <= next;

  assign STATE = cycle;

  // at[X] is 1 in cycle X, and only then.
  wire [63:0] at = 64'b1 << cycle;

  // ---- The signals -----------------------------------------------------
  // Every console sequence waits for START after each cycle, and takes its
  // registers from the cycle instead of from IR.
  wire console_task =
      at[WMEM_ADDR] | at[WMEM_WRITE] | at[RMEM_ADDR] | at[RMEM_READ] |
      at[RREG_R0R1] | at[RREG_R2R3] |
      at[WREG_R0] | at[WREG_R1] | at[WREG_R2] | at[WREG_R3] |
      at[ALU_R0] | at[ALU_R1] | at[ALU_ADD] | at[ALU_SUB] | at[ALU_AND] | at[ALU_OR] |
      at[MEM_ADDR] | at[MEM_W0] | at[MEM_W1] | at[MEM_W2] |
      at[MEM_ADDR2] | at[MEM_R0] | at[MEM_R1] | at[MEM_R2] |
      at[DP_R0] | at[DP_R1] | at[DP_R2] | at[DP_R3] | at[DP_ADDR] |
      at[DP_W0] | at[DP_W1] | at[DP_W2] | at[DP_W3] | at[DP_ADDR2] |
      at[DP_LD_R3] | at[DP_LD_R2] | at[DP_LD_R1] | at[DP_LD_R0];

  // STOP: wait for START. After every console cycle, on an interrupt, at HLT.
  assign STOP = console_task | at[INTERRUPT] | at[HLT];

  // LIR: IR = the bus (memory[PC]).
  assign LIR = at[FETCH];

  // PCINC: PC + 1. Fetching, and stepping through memory with the address.
  assign PCINC = at[FETCH] |
      at[MEM_W1] | at[MEM_W2] | at[MEM_R0] | at[MEM_R1] |
      at[DP_W1] | at[DP_W2] | at[DP_W3];

  // LPC: PC = the bus. Addresses from the switches, JMP, IRET, the vector.
  assign LPC = at[JMP] | at[IRET] | at[VECTOR] |
      at[MEM_ADDR] | at[MEM_ADDR2] | at[DP_ADDR];

  // PCADD: PC = PC + IR3..IR0, a jump taken.
  assign PCADD = at[TAKEN];

  // LAR: AR = the bus.
  assign LAR = at[LD] | at[ST] |
      at[WMEM_ADDR] | at[RMEM_ADDR] | at[MEM_ADDR] | at[MEM_ADDR2] |
      at[DP_ADDR] | at[DP_ADDR2];

  // ARINC: AR + 1, after each memory access of a console sequence.
  assign ARINC = at[WMEM_WRITE] | at[RMEM_READ] |
      at[MEM_W0] | at[MEM_W1] | at[MEM_W2] | at[MEM_R0] | at[MEM_R1] |
      at[DP_W0] | at[DP_W1] | at[DP_W2] | at[DP_W3] |
      at[DP_LD_R3] | at[DP_LD_R2] | at[DP_LD_R1] | at[DP_LD_R0];

  // MEMW: memory[AR] = the bus.
  assign MEMW = at[ST_2] | at[WMEM_WRITE] |
      at[MEM_W0] | at[MEM_W1] | at[MEM_W2] |
      at[DP_W0] | at[DP_W1] | at[DP_W2] | at[DP_W3];

  // DRW: the register RD selects = the bus.
  assign DRW = at[ADD] | at[SUB] | at[AND] | at[INC] | at[LD_2] |
      at[WREG_R0] | at[WREG_R1] | at[WREG_R2] | at[WREG_R3] |
      at[ALU_R0] | at[ALU_R1] |
      at[DP_R0] | at[DP_R1] | at[DP_R2] | at[DP_R3] |
      at[DP_LD_R3] | at[DP_LD_R2] | at[DP_LD_R1] | at[DP_LD_R0];

  // The bus takes one source a cycle.
  // SBUS: the data switches.
  assign SBUS = at[VECTOR] |
      at[WMEM_ADDR] | at[WMEM_WRITE] | at[RMEM_ADDR] |
      at[WREG_R0] | at[WREG_R1] | at[WREG_R2] | at[WREG_R3] |
      at[ALU_R0] | at[ALU_R1] |
      at[MEM_ADDR] | at[MEM_W0] | at[MEM_W1] | at[MEM_W2] | at[MEM_ADDR2] |
      at[DP_R0] | at[DP_R1] | at[DP_R2] | at[DP_R3] | at[DP_ADDR] | at[DP_ADDR2];
  // MBUS: memory[AR].
  assign MBUS = at[LD_2] | at[RMEM_READ] |
      at[MEM_R0] | at[MEM_R1] | at[MEM_R2] |
      at[DP_LD_R3] | at[DP_LD_R2] | at[DP_LD_R1] | at[DP_LD_R0];
  // ABUS: the ALU's result.
  assign ABUS = at[ADD] | at[SUB] | at[AND] | at[INC] |
      at[LD] | at[ST] | at[ST_2] | at[JMP] | at[OP_A] |
      at[ALU_ADD] | at[ALU_SUB] | at[ALU_AND] | at[ALU_OR] |
      at[DP_W0] | at[DP_W1] | at[DP_W2] | at[DP_W3];
  // IABUS: the interrupt address register.
  assign IABUS = at[IRET];

  // The ALU: S3..S0 and M choose the function of A (RD's register) and B
  // (RS's register), CIN the carry in.
  //   S=9, M=0: A plus B        S=6, M=0: A minus B     S=0, M=0: A plus 1 (INC)
  //   S=B, M=1: A AND B         S=E, M=1: A OR B
  //   S=A, M=1: B               S=F, M=1: A
  reg [3:0] alu;
  always @(*) begin
    case (cycle)
      ADD, ALU_ADD:                 alu = 4'h9;
      SUB, ALU_SUB:                 alu = 4'h6;
      AND, ALU_AND:                 alu = 4'hB;
      ALU_OR:                       alu = 4'hE;
      LD, ST_2, OP_A,
      DP_W0, DP_W1, DP_W2, DP_W3:   alu = 4'hA;
      ST, JMP:                      alu = 4'hF;
      default:                      alu = 4'h0;
    endcase
  end
  assign S = alu;
  assign M = at[AND] | at[ALU_AND] | at[ALU_OR] |
      at[LD] | at[ST] | at[ST_2] | at[JMP] | at[OP_A] |
      at[DP_W0] | at[DP_W1] | at[DP_W2] | at[DP_W3];
  assign CIN = at[ADD] | at[ALU_ADD];
  // LDC, LDZ: the flags take the ALU's carry and zero.
  assign LDC = at[ADD] | at[SUB] | at[INC] | at[ALU_ADD] | at[ALU_SUB];
  assign LDZ = at[ADD] | at[SUB] | at[AND] | at[INC] |
      at[ALU_ADD] | at[ALU_SUB] | at[ALU_AND] | at[ALU_OR];

  // The interrupt logic: IAR = PC on entry; interrupts off and on.
  assign LIAR = at[INTERRUPT];
  assign INTDI = at[INTERRUPT] | at[DI];
  assign INTEN = at[EI];
  // The cycles that end an instruction test the request (and clear it when
  // they take it). DI and EI do not: the next instruction always runs.
  assign P4 = at[ADD] | at[SUB] | at[AND] | at[INC] | at[LD_2] | at[ST_2] |
      at[NOT_TAKEN] | at[TAKEN] | at[JMP] | at[OP_A] | at[IRET] | at[HLT];

  // The registers: an instruction's from IR3..IR0 (RD = IR3 IR2, RS = IR1 IR0);
  // a console sequence's from the cycle, {RD, RS}.
  reg [3:0] console_regs;
  always @(*) begin
    case (cycle)
      RREG_R0R1, WREG_R0, ALU_R0, ALU_ADD, ALU_SUB, ALU_AND, ALU_OR,
      DP_R0, DP_W1, DP_LD_R0:                 console_regs = 4'b00_01;  // RD=R0, RS=R1
      RREG_R2R3:                              console_regs = 4'b10_11;  // RD=R2, RS=R3
      WREG_R1, ALU_R1, DP_R1:                 console_regs = 4'b01_00;  // RD=R1
      WREG_R2, DP_R2:                         console_regs = 4'b10_01;  // RD=R2
      WREG_R3, DP_R3:                         console_regs = 4'b11_10;  // RD=R3
      DP_ADDR, DP_W3, DP_ADDR2:               console_regs = 4'b00_11;  // RS=R3
      DP_W2:                                  console_regs = 4'b00_10;  // RS=R2
      DP_LD_R3:                               console_regs = 4'b11_00;  // RD=R3
      DP_LD_R2:                               console_regs = 4'b10_11;  // RD=R2
      DP_LD_R1:                               console_regs = 4'b01_10;  // RD=R1
      default:                                console_regs = 4'b00_00;  // RS=R0
    endcase
  end
  assign {RD1, RD0, RS1, RS0} = console_task ? console_regs : IR[3:0];

endmodule
