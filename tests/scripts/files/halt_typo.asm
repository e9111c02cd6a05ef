; the sum program with a typo
  SUB R0,R0
  HALT
