#pragma once
// Widgets that come in numbered groups, indexed by bit or switch number.
#include "base/board_view.h"

namespace orrin {

// The twelve register fields the user may type into.
inline constexpr WidgetId kRegisterFields[12] = {WidgetId::Edit_Z,  WidgetId::Edit_C,   WidgetId::Edit_R0,
                                                 WidgetId::Edit_R1, WidgetId::Edit_R2,  WidgetId::Edit_R3,
                                                 WidgetId::Edit_AR, WidgetId::Edit_PC,  WidgetId::Edit_IAR,
                                                 WidgetId::Edit_IR, WidgetId::Edit_uAR, WidgetId::Edit_EN_INT};
// Level switches, index n = Kn.
inline constexpr WidgetId kKLevers[32] = {
    WidgetId::Image_K0,  WidgetId::Image_K1,  WidgetId::Image_K2,  WidgetId::Image_K3,  WidgetId::Image_K4,
    WidgetId::Image_K5,  WidgetId::Image_K6,  WidgetId::Image_K7,  WidgetId::Image_K8,  WidgetId::Image_K9,
    WidgetId::Image_K10, WidgetId::Image_K11, WidgetId::Image_K12, WidgetId::Image_K13, WidgetId::Image_K14,
    WidgetId::Image_K15, WidgetId::Image_K16, WidgetId::Image_K17, WidgetId::Image_K18, WidgetId::Image_K19,
    WidgetId::Image_K20, WidgetId::Image_K21, WidgetId::Image_K22, WidgetId::Image_K23, WidgetId::Image_K24,
    WidgetId::Image_K25, WidgetId::Image_K26, WidgetId::Image_K27, WidgetId::Image_K28, WidgetId::Image_K29,
    WidgetId::Image_K30, WidgetId::Image_K31,
};
// Data switches, index n = SDn.
inline constexpr WidgetId kSDLevers[8] = {
    WidgetId::Image_SD0, WidgetId::Image_SD1, WidgetId::Image_SD2, WidgetId::Image_SD3,
    WidgetId::Image_SD4, WidgetId::Image_SD5, WidgetId::Image_SD6, WidgetId::Image_SD7,
};
// Lamp row A on the board, index = bit.
inline constexpr WidgetId kALamps[8] = {
    WidgetId::Image_A0, WidgetId::Image_A1, WidgetId::Image_A2, WidgetId::Image_A3,
    WidgetId::Image_A4, WidgetId::Image_A5, WidgetId::Image_A6, WidgetId::Image_A7,
};
// Second view of row A on the datapath page, index = bit.
inline constexpr WidgetId kP3ALamps[8] = {
    WidgetId::Image_P3_A0, WidgetId::Image_P3_A1, WidgetId::Image_P3_A2, WidgetId::Image_P3_A3,
    WidgetId::Image_P3_A4, WidgetId::Image_P3_A5, WidgetId::Image_P3_A6, WidgetId::Image_P3_A7,
};
// Lamp row B on the board, index = bit.
inline constexpr WidgetId kBLamps[8] = {
    WidgetId::Image_B0, WidgetId::Image_B1, WidgetId::Image_B2, WidgetId::Image_B3,
    WidgetId::Image_B4, WidgetId::Image_B5, WidgetId::Image_B6, WidgetId::Image_B7,
};
// Second view of row B on the datapath page, index = bit.
inline constexpr WidgetId kP3BLamps[8] = {
    WidgetId::Image_P3_B0, WidgetId::Image_P3_B1, WidgetId::Image_P3_B2, WidgetId::Image_P3_B3,
    WidgetId::Image_P3_B4, WidgetId::Image_P3_B5, WidgetId::Image_P3_B6, WidgetId::Image_P3_B7,
};
// Lamp row AR on the board, index = bit.
inline constexpr WidgetId kARLamps[8] = {
    WidgetId::Image_AR0, WidgetId::Image_AR1, WidgetId::Image_AR2, WidgetId::Image_AR3,
    WidgetId::Image_AR4, WidgetId::Image_AR5, WidgetId::Image_AR6, WidgetId::Image_AR7,
};
// Second view of row AR on the datapath page, index = bit.
inline constexpr WidgetId kP3ARLamps[8] = {
    WidgetId::Image_P3_AR0, WidgetId::Image_P3_AR1, WidgetId::Image_P3_AR2, WidgetId::Image_P3_AR3,
    WidgetId::Image_P3_AR4, WidgetId::Image_P3_AR5, WidgetId::Image_P3_AR6, WidgetId::Image_P3_AR7,
};
// Lamp row PC on the board, index = bit.
inline constexpr WidgetId kPCLamps[8] = {
    WidgetId::Image_PC0, WidgetId::Image_PC1, WidgetId::Image_PC2, WidgetId::Image_PC3,
    WidgetId::Image_PC4, WidgetId::Image_PC5, WidgetId::Image_PC6, WidgetId::Image_PC7,
};
// Second view of row PC on the datapath page, index = bit.
inline constexpr WidgetId kP3PCLamps[8] = {
    WidgetId::Image_P3_PC0, WidgetId::Image_P3_PC1, WidgetId::Image_P3_PC2, WidgetId::Image_P3_PC3,
    WidgetId::Image_P3_PC4, WidgetId::Image_P3_PC5, WidgetId::Image_P3_PC6, WidgetId::Image_P3_PC7,
};
// Lamp row IR on the board, index = bit.
inline constexpr WidgetId kIRLamps[8] = {
    WidgetId::Image_IR0, WidgetId::Image_IR1, WidgetId::Image_IR2, WidgetId::Image_IR3,
    WidgetId::Image_IR4, WidgetId::Image_IR5, WidgetId::Image_IR6, WidgetId::Image_IR7,
};
// Second view of row IR on the datapath page, index = bit.
inline constexpr WidgetId kP3IRLamps[8] = {
    WidgetId::Image_P3_IR0, WidgetId::Image_P3_IR1, WidgetId::Image_P3_IR2, WidgetId::Image_P3_IR3,
    WidgetId::Image_P3_IR4, WidgetId::Image_P3_IR5, WidgetId::Image_P3_IR6, WidgetId::Image_P3_IR7,
};
// Lamp row D on the board, index = bit.
inline constexpr WidgetId kDLamps[8] = {
    WidgetId::Image_D0, WidgetId::Image_D1, WidgetId::Image_D2, WidgetId::Image_D3,
    WidgetId::Image_D4, WidgetId::Image_D5, WidgetId::Image_D6, WidgetId::Image_D7,
};
// Second view of row D on the datapath page, index = bit.
inline constexpr WidgetId kP3DLamps[8] = {
    WidgetId::Image_P3_D0, WidgetId::Image_P3_D1, WidgetId::Image_P3_D2, WidgetId::Image_P3_D3,
    WidgetId::Image_P3_D4, WidgetId::Image_P3_D5, WidgetId::Image_P3_D6, WidgetId::Image_P3_D7,
};
// Lamp row INS on the board, index = bit.
inline constexpr WidgetId kINSLamps[8] = {
    WidgetId::Image_INS0, WidgetId::Image_INS1, WidgetId::Image_INS2, WidgetId::Image_INS3,
    WidgetId::Image_INS4, WidgetId::Image_INS5, WidgetId::Image_INS6, WidgetId::Image_INS7,
};
// Second view of row INS on the datapath page, index = bit.
inline constexpr WidgetId kP3INSLamps[8] = {
    WidgetId::Image_P3_INS0, WidgetId::Image_P3_INS1, WidgetId::Image_P3_INS2, WidgetId::Image_P3_INS3,
    WidgetId::Image_P3_INS4, WidgetId::Image_P3_INS5, WidgetId::Image_P3_INS6, WidgetId::Image_P3_INS7,
};

// The menus of the menu bar; each menu item follows its menu in the table.
inline constexpr bool IsTopMenu(WidgetId id) {
  return id == WidgetId::N_File || id == WidgetId::N_Line || id == WidgetId::N_Memory || id == WidgetId::N_Micro ||
         id == WidgetId::N_View;
}

}  // namespace orrin
