// Placeholders until the panel displays and editors land.
#include "core/simulator.h"

namespace orrin {

void Simulator::RefreshSourceLabels(uint8_t) {}
void Simulator::RefreshAluPanel(uint8_t) {}
void Simulator::RefreshRegisterFile(uint8_t) {}
void Simulator::RefreshMemory(uint8_t) {}
void Simulator::RefreshControllerPanel(uint8_t) {}
void Simulator::RefreshAr(uint8_t) {}
void Simulator::RefreshPc(uint8_t) {}
void Simulator::RefreshIr(uint8_t) {}
void Simulator::RefreshIar(uint8_t) {}
void Simulator::RefreshDataBus(uint8_t) {}
void Simulator::RefreshInterrupt(uint8_t) {}
void Simulator::RefreshStop(uint8_t) {}
void Simulator::RefreshMemoryViews(uint8_t) {}
void Simulator::Button_GridToMEMClick() {}
void Simulator::N_MEM2FileClick() {}
void Simulator::N_File2MEMClick() {}
void Simulator::Button_GridToMicroClick() {}
void Simulator::N_ReadMicroFileClick() {}
void Simulator::LoadMicroFile(const std::string&) {}
void Simulator::N_BakMicro2FileClick() {}
void Simulator::RefillMicroGrid() {
  for (int a = 0; a < ControlStoreSize; ++a) view.SetCell(WidgetId::StringGrid_MicroMem, a % 8 + 1, a / 8 + 1, FetchMicroword(s, a));
}
bool Simulator::EditKeyPress(WidgetId, int) { return false; }

}  // namespace orrin
