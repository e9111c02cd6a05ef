// Every text the simulator puts on the screen that has Chinese in it, for
// lupdate to find and Tr() to translate: the simulator itself knows no
// toolkit. tests/ui/english_test.cpp fails when one is missing here.
#include <QtGlobal>
#include <vector>

#include "ui/translate.h"

namespace orrin::ui {

const std::vector<const char*>& SimulatorTexts() {
  static const std::vector<const char*> texts = {
      // Captions of buttons, radio buttons, notices and menus.
      QT_TRANSLATE_NOOP("orrin", "硬连线"),
      QT_TRANSLATE_NOOP("orrin", "独  立"),
      QT_TRANSLATE_NOOP("orrin", "微程序"),
      QT_TRANSLATE_NOOP("orrin", "清除所有连线"),
      QT_TRANSLATE_NOOP("orrin", "设置连线颜色"),
      QT_TRANSLATE_NOOP("orrin", "保存"),
      QT_TRANSLATE_NOOP("orrin", "关闭"),
      QT_TRANSLATE_NOOP("orrin", "暂停 "),
      QT_TRANSLATE_NOOP("orrin", "单小拍 "),
      QT_TRANSLATE_NOOP("orrin", "“独立”方式下，以下微程序信号无效。"),
      QT_TRANSLATE_NOOP("orrin", "“微程序”方式下，高低电平值\n不会送至各个部件。"),
      QT_TRANSLATE_NOOP("orrin", "(非独立方式)"),
      QT_TRANSLATE_NOOP("orrin", "X写DB"),
      QT_TRANSLATE_NOOP("orrin", "错误插孔："),
      QT_TRANSLATE_NOOP("orrin", "文件"),
      QT_TRANSLATE_NOOP("orrin", "退出"),
      QT_TRANSLATE_NOOP("orrin", "连线"),
      QT_TRANSLATE_NOOP("orrin", "读取连线文件"),
      QT_TRANSLATE_NOOP("orrin", "备份连线到文件"),
      QT_TRANSLATE_NOOP("orrin", "内存"),
      QT_TRANSLATE_NOOP("orrin", "TXT文件->内存"),
      QT_TRANSLATE_NOOP("orrin", "内存->TXT文件"),
      QT_TRANSLATE_NOOP("orrin", "汇编文件->内存"),
      QT_TRANSLATE_NOOP("orrin", "反汇编窗口"),
      QT_TRANSLATE_NOOP("orrin", "读文件到微程序"),
      QT_TRANSLATE_NOOP("orrin", "备份微程序到文件"),
      QT_TRANSLATE_NOOP("orrin", "读微程序源文件…"),
      QT_TRANSLATE_NOOP("orrin", "备份微程序为源文件…"),
      QT_TRANSLATE_NOOP("orrin", "读硬连线控制器…"),
      QT_TRANSLATE_NOOP("orrin", "查看"),
      QT_TRANSLATE_NOOP("orrin", "时序图"),
      // The software description.
      QT_TRANSLATE_NOOP("orrin", "1、仿真软件比实验箱多16个“电平开关”，K16~K31。"),
      QT_TRANSLATE_NOOP("orrin", "2、比实验箱多了INTEN、INTDI、LIAR、IABUS、LIR 共5个输入插孔。"),
      QT_TRANSLATE_NOOP("orrin",
                        "3、“控制信号”栏的24个控制码指示灯，在“独立”方式时，显示的是当前连接的32个高低电平Key值，"
                        "不是微指令值。"),
      QT_TRANSLATE_NOOP("orrin",
                        "4、青色底的各个单元是寄存器，可以直接修改成所需要的值，每一个修改后都要回车，"
                        "不要修改几个后一起回车。"),
      QT_TRANSLATE_NOOP("orrin",
                        "5、微程序地址uAR是寄存器，可直接修改成需要的微地址值，回车后保存。"
                        "设置它可以确定将要执行哪条微指令。"),
      QT_TRANSLATE_NOOP("orrin",
                        "6、最下方的控制面板，在QD键旁边增加了“单小拍”按钮，直接按它，可依次执行T1、T2、T3小节拍。"
                        "不需要按QD。"),
      QT_TRANSLATE_NOOP("orrin", "7、按住“Ctrl”键转动鼠标滚轮，可左右滑动窗口。"),
      QT_TRANSLATE_NOOP("orrin", "8、连线、内存、微程序，可通过菜单操作备份在文件中。"),
      // The console's notes and the bus and wire displays.
      QT_TRANSLATE_NOOP("orrin", "单拍"),
      QT_TRANSLATE_NOOP("orrin", "连续"),
      QT_TRANSLATE_NOOP("orrin", "启动程序运行"),
      QT_TRANSLATE_NOOP("orrin", "写存储器"),
      QT_TRANSLATE_NOOP("orrin", "读存储器"),
      QT_TRANSLATE_NOOP("orrin", "读寄存器"),
      QT_TRANSLATE_NOOP("orrin", "写寄存器"),
      QT_TRANSLATE_NOOP("orrin", "运算器实验"),
      QT_TRANSLATE_NOOP("orrin", "存储器实验"),
      QT_TRANSLATE_NOOP("orrin", "数据通路实验"),
      QT_TRANSLATE_NOOP("orrin", "%1写DB"),
      QT_TRANSLATE_NOOP("orrin", "%1[%2写DBUS，错误]"),
      QT_TRANSLATE_NOOP("orrin", "  错误插孔信息  "),
      QT_TRANSLATE_NOOP("orrin", "'%1'连%2根线"),
      QT_TRANSLATE_NOOP("orrin", "微程序方式无效"),
      QT_TRANSLATE_NOOP("orrin", " 上%1,下%2"),
      QT_TRANSLATE_NOOP("orrin", "F = 全1"),
      // Messages.
      QT_TRANSLATE_NOOP("orrin", "警告"),
      QT_TRANSLATE_NOOP("orrin", "连线进行中，不能通电。"),
      QT_TRANSLATE_NOOP("orrin", "检查连线！输入插孔不能接多个输出插孔。"),
      QT_TRANSLATE_NOOP("orrin", "连线数已达上限。"),
      QT_TRANSLATE_NOOP("orrin", "通电状态不能删除连线。"),
      QT_TRANSLATE_NOOP("orrin", "清除连线不可恢复，要继续吗？"),
      QT_TRANSLATE_NOOP("orrin", "通电状态不能读取连线文件。"),
      QT_TRANSLATE_NOOP("orrin", "连线文件太大，未读取。"),
      QT_TRANSLATE_NOOP("orrin", "读连线文件前要清除现有连线，要继续吗？"),
      QT_TRANSLATE_NOOP("orrin", "电源没开，内存没有数据，不能备份！"),
      QT_TRANSLATE_NOOP("orrin", "电源没开，内存无法写入！"),
      QT_TRANSLATE_NOOP("orrin", "汇编文件有错误，内存未改变：%1"),
      QT_TRANSLATE_NOOP("orrin", "内存文件格式不对：需要 512 个十六进制字符。"),
      QT_TRANSLATE_NOOP("orrin", "微程序文件太大，未读取。"),
      QT_TRANSLATE_NOOP("orrin", "汇编文件太大，未读取。"),
      QT_TRANSLATE_NOOP("orrin", "微程序源文件太大，未读取。"),
      QT_TRANSLATE_NOOP("orrin", "微程序源文件有错误，微程序未改变：%1"),
      QT_TRANSLATE_NOOP("orrin", "硬连线控制器文件太大，未读取。"),
      QT_TRANSLATE_NOOP("orrin", "硬连线控制器读不出，控制器未改变：%1"),
      QT_TRANSLATE_NOOP("orrin", "这里不能综合 Verilog：请读入它的网表 .json（Yosys 的 write_json）。"),
      QT_TRANSLATE_NOOP("orrin",
                        "没有找到 Yosys，不能综合 Verilog：请安装 Debian 软件包 yosys，或读入设计的网表 .json（Yosys "
                        "的 write_json）。"),
      QT_TRANSLATE_NOOP("orrin", "Yosys 综合失败：%1"),
      QT_TRANSLATE_NOOP("orrin", "Yosys 没有写出网表：%1"),
      QT_TRANSLATE_NOOP("orrin", "Yosys 运行超过 %1 秒，已停止：%2"),
      QT_TRANSLATE_NOOP("orrin", "无法为 Yosys 建立临时文件夹。"),
      QT_TRANSLATE_NOOP("orrin", "无法为 Yosys 写入设计文件。"),
      QT_TRANSLATE_NOOP("orrin", "Verilog 设计只能是一个文件，不能用 %1：%2"),
      QT_TRANSLATE_NOOP("orrin", "连线文件第 %1 行无法读取，已跳过。"),
      QT_TRANSLATE_NOOP("orrin", "微程序文件第 %1 行无法读取，已跳过。"),
      QT_TRANSLATE_NOOP("orrin", "连线文件中没有一条能读出的连线，连线未改变：%1"),
      QT_TRANSLATE_NOOP("orrin", "微程序文件中没有一条能读出的微指令，微程序未改变：%1"),
      QT_TRANSLATE_NOOP("orrin", "无法读取文件：%1"),
      QT_TRANSLATE_NOOP("orrin", "无法写入文件：%1"),
      QT_TRANSLATE_NOOP("orrin", "无法导出到 %1：文件名须以 .vcd、.csv、.json、.svg 或 .png 结尾。"),
      QT_TRANSLATE_NOOP("orrin", "指令集文件有错误，使用标准指令集：%1"),
      QT_TRANSLATE_NOOP("orrin", "无法读取指令集文件，使用标准指令集：%1"),
      // A lab's summary (app/lab.cpp), shown by the window and the page.
      QT_TRANSLATE_NOOP("orrin", "实验：%1"),
      QT_TRANSLATE_NOOP("orrin", "（用了提示）"),
      QT_TRANSLATE_NOOP("orrin", "（答错 %1 次）"),
      QT_TRANSLATE_NOOP("orrin", "第 %1 步：%2%3"),
      QT_TRANSLATE_NOOP("orrin", "第 %1 步：未完成%2"),
      QT_TRANSLATE_NOOP("orrin", "共用时 %1，完成 %2/%3 步，用了 %4 次提示"),
      QT_TRANSLATE_NOOP("orrin", "答错 %1 次"),
      QT_TRANSLATE_NOOP("orrin", "用了本实验不允许的 %1，之后的步骤不算完成"),
      // The web page's own texts (web/js/).
      QT_TRANSLATE_NOOP("orrin", "模拟器出错，请重新载入页面。"),
      QT_TRANSLATE_NOOP("orrin", "重新载入"),
      QT_TRANSLATE_NOOP("orrin", "跟随"),
      QT_TRANSLATE_NOOP("orrin", "导出时序 (VCD)"),
      QT_TRANSLATE_NOOP("orrin", "导出时序 (CSV)"),
      QT_TRANSLATE_NOOP("orrin", "导出时序 (PNG)"),
      QT_TRANSLATE_NOOP("orrin", "打开示例文件"),
      QT_TRANSLATE_NOOP("orrin", "从本机选择文件…"),
      QT_TRANSLATE_NOOP("orrin", "取消"),
  };
  return texts;
}

}  // namespace orrin::ui
