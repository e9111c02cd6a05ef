; copy: copies the zero-ended string "ORRIN" from 22 to 40, its 00 included,
; with a load and a store per byte.
        SUB R0,R0
        LD  R0,[R0]     ; R0 = 20, the data
        LD  R1,[R0]     ; R1 = destination
        INC R0
        LD  R3,[R0]     ; R3 = the loop's address
        INC R0          ; R0 = source
loop:   LD  R2,[R0]     ; byte = *src
        ST  [R1],R2     ; *dst = byte
        AND R2,R2       ; Z when the byte was 00
        JZ  done
        INC R0
        INC R1
        JMP R3          ; back to loop
done:   HLT

        ORG 0x20
        DB  0x40, loop
        DB  0x4F, 0x52, 0x52, 0x49, 0x4E, 0   ; "ORRIN"
