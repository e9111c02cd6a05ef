; Uses the new instruction MOV Rd,Rs (opcode A): R1 = R0, then R1 = R1 + R0.
; With the standard microprogram opcode A only puts Rs on the bus, and R1
; ends as 02; with MOV it ends as 04.
        INC R0          ; R0 = 1
        INC R0          ; R0 = 2
        MOV R1,R0       ; R1 = 2
        ADD R1,R0       ; R1 = 4
        HLT
