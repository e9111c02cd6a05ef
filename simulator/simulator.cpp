#include "simulator/simulator.h"

#include "base/widget_groups.h"
#include "simulator/access.h"

namespace orrin {

using enum WidgetId;

namespace {
struct Caption {
  WidgetId id;
  const char* text;
};
// Captions of named widgets that the refresh never rewrites.
constexpr Caption kCaptions[] = {
    {RadioButtonHdLine, "硬连线"},
    {RadioButtonHandLine, "独  立"},
    {RadioButtonMicroProgram, "微程序"},
    {Button_delLine, "清除所有连线"},
    {Button_SetColor, "设置连线颜色"},
    {Button_GridToMEM, "保存"},
    {Button_GridToMicro, "保存"},
    {Button_CloseNowHand, "关闭"},
    {Button_CloseNowMicro, "关闭"},
    {Button_PAUSE, "暂停 "},
    {Button_OneLittleStep, "单小拍 "},
    {Panel_NowHand, "“独立”方式下，以下微程序信号无效。"},
    {Panel_NowMicro, "“微程序”方式下，高低电平值\n不会送至各个部件。"},
    {Label_KeySWCBANote2, "(非独立方式)"},
    {Label_ARAdd1, "+1"},
    {Label_ARannounce, "ARINC>LAR"},
    {Label_PCAdd1, "+1"},
    {Label_PCannounce, "PCINC>LPC>PCADD"},
    {Label_MEMannounce, "MEMW>MBUS"},
    {Label_INTannounce, "INTEN>INTDI"},
    {Label_P0_DBMultiWrite, "X写DB"},
    {Label_wrongwarn, "错误插孔："},
    {Label_wrongNum, "0"},
    {Label_LineCount, "0"},
    {N_File, "文件"},
    {N_Quit, "退出"},
    {N_Line, "连线"},
    {N_ReadLineFile, "读取连线文件"},
    {N_SaveLineFile, "备份连线到文件"},
    {N_Memory, "内存"},
    {N_File2MEM, "TXT文件->内存"},
    {N_MEM2File, "内存->TXT文件"},
    {N_Asm2MEM, "汇编文件->内存"},
    {N_Disassembly, "反汇编窗口"},
    {N_Micro, "微程序"},
    {N_ReadMicroFile, "读文件到微程序"},
    {N_BakMicro2File, "备份微程序到文件"},
    {N_ReadMicroSource, "读微程序源文件…"},
    {N_SaveMicroSource, "备份微程序为源文件…"},
    {N_ReadController, "读硬连线控制器…"},
    {N_View, "查看"},
    {N_TimingDiagram, "时序图"},
};

constexpr const char* kSoftwareNotes[] = {
    "1、仿真软件比实验箱多16个“电平开关”，K16~K31。",
    "2、比实验箱多了INTEN、INTDI、LIAR、IABUS、LIR 共5个输入插孔。",
    "3、“控制信号”栏的24个控制码指示灯，在“独立”方式时，显示的是当前连接的32个高低电平Key值，不是微指令值。",
    "4、青色底的各个单元是寄存器，可以直接修改成所需要的值，每一个修改后都要回车，不要修改几个后一起回车。",
    "5、微程序地址uAR是寄存器，可直接修改成需要的微地址值，回车后保存。设置它可以确定将要执行哪条微指令。",
    "6、最下方的控制面板，在QD键旁边增加了“单小拍”按钮，直接按它，可依次执行T1、T2、T3小节拍。不需要按QD。",
    "7、按住“Ctrl”键转动鼠标滚轮，可左右滑动窗口。",
    "8、连线、内存、微程序，可通过菜单操作备份在文件中。",
};

// The widgets as the window is created.
void SetUpView(BoardView& view, Panels& panels_, ControllerMode mode, const Controllers& controllers_) {
  for (const Caption& c : kCaptions) view.SetText(c.id, c.text);
  for (const char* line : kSoftwareNotes) {
    view.AddLine(Memo2, "");
    view.AddLine(Memo2, line);
  }
  panels_.ShowControllerMode(mode, controllers_);
  for (WidgetId id : {Label_NowXY, Label_ThisHoleName, Label_ThisHoleSign, Label_KeyThisHoleName, Panel_NowMicro,
                      Label_MEMannounce, Label_ARannounce, Label_ARAdd1, Label_PCannounce, Label_PCAdd1,
                      Label_INTannounce, Label_P0_DBMultiWrite, Panel_KeyLedModel})
    view.SetVisible(id, false);
  for (WidgetId id : kRegisterFields) view.SetColor(id, color::Aqua);
  view.SizeGrid(StringGrid_MEM, 17, 17);
  view.SizeGrid(StringGrid_MicroMem, 9, 9);
  view.SetReadOnly(Memo_LineMidWay, true);
  view.SetReadOnly(Memo2, true);
  view.SetColor(Label_wrongwarn, color::SkyBlue);
  view.SetColor(Label_wrongNum, color::BtnFace);
}

Surroundings Surround(Simulator& s) {
  return {Access(s).wires,           Access(s).controllers.Of(Access(s).console.Mode),
          Access(s).console.PowerOn, Access(s).console.SWC,
          Access(s).console.SWB,     Access(s).console.SWA};
}

}  // namespace

Simulator::Simulator(Host& h)
    : hostRelay(h, session),
      host(hostRelay),
      cleanBoard(static_cast<size_t>(Canvas::Width * Canvas::Height), 0x00FFFFFF) {
  SetUpView(view, panels_, console_.Mode, controllers_);
}

void Simulator::Reset() {
  machine_ = Core{};
  wires_ = WireStore{};
  console_ = Console{};
  controllers_ = Controllers{};
  trace_.Reset();
  view = BoardView{};
  editor_.Reset();
  panels_.Reset();
  quitRequested = false;
  choice_.clear();
  SetUpView(view, panels_, console_.Mode, controllers_);
}

void Simulator::ReplaceBoardPicture(std::vector<uint32_t> picture) {
  canvas_.Rebase(cleanBoard, picture);
  cleanBoard = std::move(picture);
}

void Simulator::RestoreWireColour(uint32_t stored) {
  editor_.WireColor = stored & 0x00FFFFFF;
  editor_.ShowWireColor();
}

void Simulator::Startup() {
  canvas_.Load(cleanBoard);
  view.SetPicture(Image_WireDraw, Pic::Image1_ori);
  view.SetPicture(Image2, Pic::Image3_Hand);
  editor_.WireColor = color::SkyBlue;
  for (int i = 0; i < WireCapacity; ++i)
    if (wires_.WireAt(i).InUse) editor_.DrawWire(i);
  editor_.ShowWireColor();
  editor_.Check();
  view.SetPicture(Image10, Pic::Image10_Hand_ori);
  console_.PowerOn = false;
  machine_.PowerOff();
  trace_.ForgetEdits();
  machine_.Levels = LevelSwitches{};
  machine_.DataSw = DataSwitches{};
  console_.SingleBeat = console_.Running = false;
  console_.SWC = console_.SWB = console_.SWA = 0;
  console_.StopTimer();
  panels_.ShowPower(false);
  panels_.MemoryGridDirty = true;
  panels_.ClearMemoryGrid();
  panels_.ClearMicroGrid();
  panels_.RefillMicroGrid(machine_);
  Refresh();
}

void Simulator::BoardEvaluation() {
  // An evaluation always computes from the newest position.
  EndPlayback();
  machine_.Evaluate(Surround(*this));
  Refresh();
}

void Simulator::Refresh(bool fromRecording) {
  if (!fromRecording) machine_.CommitSwitches();
  panels_.Refresh(Parts());
}

void Simulator::StepSmallBeat() {
  if (!console_.PowerOn) return;
  if (machine_.Step(Surround(*this))) panels_.MemoryGridDirty = true;
  Refresh();
  trace_.Record(machine_, machine_.Beat.StepCount);
}

}  // namespace orrin
