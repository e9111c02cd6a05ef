; sum: adds 5 + 4 + 3 + 2 + 1 and stores the sum (0F) at address FF.
; There is no load-immediate: R0 is cleared and then loaded from address 00,
; which holds the first instruction's byte, 20: the data block's address.
        SUB R0,R0
        LD  R0,[R0]     ; R0 = 20, the data
        LD  R1,[R0]     ; R1 = count
        INC R0
        LD  R2,[R0]     ; R2 = minus one
        INC R0
        LD  R3,[R0]     ; R3 = the loop's address
        SUB R0,R0       ; sum = 0
loop:   ADD R0,R1       ; sum += count
        ADD R1,R2       ; count - 1 (adds FF); Z at 0
        JZ  done
        JMP R3          ; back to loop
done:   ST  [R2],R0     ; memory[FF] = sum
        HLT

        ORG 20H
        DB  5, 0FFH, loop
