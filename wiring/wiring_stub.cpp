// Placeholders until the wire editor, the wiring check and the wire file land.
#include "core/simulator.h"

namespace orrin {

void Canvas::Load(const std::vector<uint32_t>& picture) {
  if (picture.size() == pixels_.size()) pixels_ = picture;
  ++version;
}
void Canvas::DrawSegment(int, int, int, int) {}

void Simulator::Image_WireDrawMouseMove(int, int) {}
void Simulator::Image_WireDrawMouseUp(MouseButton, int, int) {}
void Simulator::PointLabelMouseMove() {}
void Simulator::Button_delLineClick() {}
void Simulator::ClearAllWires() {}
void Simulator::Button_SetColorClick() {}
void Simulator::ShowWireColor() {}
void Simulator::ShowSwitchWires(int, int, int) {}
void Simulator::Image_KMouseMove(int, int, int) {}
void Simulator::Panel_KEYMouseMove() {}
void Simulator::DrawWire(int) {}
void Simulator::CheckWiring() {}
void Simulator::Timer_WrongLineTimer() {}
void Simulator::N_ReadLineFileClick() {}
void Simulator::N_SaveLineFileClick() {}

}  // namespace orrin
