#include "simulator/simulator.h"

#include <cstdio>

#include "base/widget_groups.h"

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

// Value labels drawn over the board picture: opaque with the power on.
constexpr WidgetId kValueLabels[] = {
    Label_INTQ,    Label_P4_INTQ, Label_P4_SWC,  Label_P4_SWB,  Label_P4_SWA,  Label_P4_CI,   Label_P4_ZI,
    Label_P4_IR4I, Label_P4_IR5I, Label_P4_IR6I, Label_P4_IR7I, Label_P4_P0_1, Label_P4_P0_2, Label_P4_P0_3,
    Label_P4_P1_1, Label_P4_P1_2, Label_P4_P1_3, Label_P4_P1_4, Label_P4_P2,   Label_P4_P3,   Label_P4_P4,
};
}  // namespace

Simulator::Simulator(Host& h) : host(h), cleanBoard(static_cast<size_t>(Canvas::Width * Canvas::Height), 0x00FFFFFF) {
  SetUpView();
}

void Simulator::Reset() {
  machine.Reset();
  wires = WireStore{};
  view = BoardView{};
  Timer_RUN = {false, 5};
  Timer_WrongLine = {false, 100};
  Timer_Trigger = {false, 1000};
  Timer_RecotdBackPlay = {false, 100};
  quitRequested = false;
  viewHolds_ = 0;
  viewStale_ = false;
  SetUpView();
}

// The widgets as the window is created, and the standard microprogram.
void Simulator::SetUpView() {
  for (const Caption& c : kCaptions) view.SetText(c.id, c.text);
  for (const char* line : kSoftwareNotes) {
    view.AddLine(Memo2, "");
    view.AddLine(Memo2, line);
  }
  view.SetChecked(RadioButtonHandLine, true);
  view.SetColor(RadioButtonHandLine, color::Yellow);
  view.SetColor(RadioButtonHdLine, color::ScrollBar);
  view.SetColor(RadioButtonMicroProgram, color::ScrollBar);
  view.SetEnabled(RadioButtonHdLine, false);
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
  machine.Alu.Shown.Formula = "";
  // The control store is filled with the board's standard microprogram.
  LoadDefaultControlStore();
}

void Simulator::Startup() {
  canvas.Load(cleanBoard);
  view.SetPicture(Image_WireDraw, Pic::Image1_ori);
  view.SetPicture(Image2, Pic::Image3_Hand);
  machine.Console.WireColor = color::SkyBlue;
  for (int i = 0; i < WireCapacity; ++i)
    if (wires.WireAt(i).InUse) DrawWire(i);
  ShowWireColor();
  CheckWiring();
  view.SetPicture(Image10, Pic::Image10_Hand_ori);
  machine.Console.PowerOn = 0;
  PowerOffAction();
  machine.Console.MemoryGridDirty = 1;
  machine.Console.AfterReset = 1;
  machine.Levels = LevelSwitches{};
  machine.DataSw = DataSwitches{};
  machine.Console.SingleBeat = machine.Console.SWC = machine.Console.SWB = machine.Console.SWA =
      machine.Console.Running = 0;
  Timer_RUN.enabled = false;
  machine.Console.TimerActive = machine.Console.KeepRunning = 0;
  ClearMemoryGrid();
  ClearMicroGrid();
  RefillMicroGrid();
  StyleValueLabels();
  OrderedDisplayRefresh(0, 0);
}

void Simulator::ClearMemoryGrid() {
  for (int r = 0; r < 17; ++r)
    for (int c = 0; c < 17; ++c) view.SetCell(StringGrid_MEM, c, r, "");
  for (int c = 1; c <= 16; ++c) {
    char h[3] = {' ', Hex1(c - 1).buf[0], 0};
    view.SetCell(StringGrid_MEM, c, 0, h);
  }
  for (int r = 1; r <= 16; ++r) {
    char h[3] = {Hex1(r - 1).buf[0], '-', 0};
    view.SetCell(StringGrid_MEM, 0, r, h);
  }
}

void Simulator::ClearMicroGrid() {
  for (int r = 0; r < 9; ++r)
    for (int c = 0; c < 9; ++c) view.SetCell(StringGrid_MicroMem, c, r, "");
  for (int i = 0; i < 8; ++i) {
    std::string h = " 上";
    h += Hex1(i).buf[0];
    h += ",下";
    h += Hex1(i + 8).buf[0];
    view.SetCell(StringGrid_MicroMem, i + 1, 0, h);
  }
  for (int k = 0; k < 4; ++k) {
    std::string h = "       ";
    h += Hex1(k).buf[0];
    h += '-';
    view.SetCell(StringGrid_MicroMem, 0, 2 * k + 1, h);
    view.SetCell(StringGrid_MicroMem, 0, 2 * k + 2, h);
  }
}

void Simulator::StyleValueLabels() {
  const bool opaque = machine.Console.PowerOn == 1;
  for (WidgetId id : kValueLabels) view.SetTransparent(id, !opaque);
}

void Simulator::SetRegisterFieldsReadOnly(bool readOnly) {
  for (WidgetId id : kRegisterFields) view.SetReadOnly(id, readOnly);
}

}  // namespace orrin
