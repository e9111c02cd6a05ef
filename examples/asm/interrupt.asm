; interrupt: enables interrupts and counts loop turns in R2 until an
; interrupt has been served. Put the handler's address, 10, on the data
; switches, press QD, then PULSE while it runs; the interrupt entry stops the
; run, and the next QD runs the handler, which returns with IRET.
        SUB R0,R0
        LD  R0,[R0]     ; R0 = 20, the data
        LD  R3,[R0]     ; R3 = the loop's address
        SUB R1,R1       ; no interrupt yet
        SUB R2,R2
        EI
loop:   INC R2
        AND R1,R1       ; Z while no interrupt came
        JZ  again
        HLT
again:  JMP R3          ; back to loop

        ORG 10H         ; the handler
        INC R1
        EI
        IRET

        ORG 20H
        DB  loop
