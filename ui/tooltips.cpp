#include "ui/tooltips.h"

#include <QStringList>
#include <algorithm>
#include <string_view>

#include "simulator/simulator.h"
#include "ui/translate.h"

namespace orrin::ui {

using enum WidgetId;

namespace {

// The signal or register a widget shows, from its name: "Image_P3_D7" -> "D7",
// "Label_Hand_LPC" -> "LPC", "Label_RD1_2" -> "RD1" (a second window of the
// same value), "Label_DBUSNum1" -> "DBUS", "Label_P4_MIROut_M39" -> "M39".
QString ShortName(WidgetId id) {
  if (id == Label_181formula) return "74LS181";
  if (id == Label_PK_StepNum) return Tr(QT_TRANSLATE_NOOP("orrin", "回放：显示的小拍/最新的小拍"));
  std::string_view n = Info(id).name;
  for (std::string_view prefix : {"Image_P3_", "Image_P4_", "Image_", "Label_Hand_", "Label_P0_", "Label_P3_",
                                  "Label_P4_MIROut_", "Label_P4_", "Label_", "Edit_"}) {
    if (n.starts_with(prefix)) {
      n.remove_prefix(prefix.size());
      break;
    }
  }
  if (n.size() > 2 && n[n.size() - 2] == '_' && n.back() >= '1' && n.back() <= '4') n.remove_suffix(2);
  for (std::string_view suffix : {"Num1", "Num2", "Num", "_OUT"})
    if (n.size() > suffix.size() && n.ends_with(suffix)) {
      n.remove_suffix(suffix.size());
      break;
    }
  return QString::fromLatin1(n.data(), static_cast<qsizetype>(n.size()));
}

// What each console button does.
const char* ButtonText(WidgetId id) {
  switch (id) {
    case SpeedButtonPOWER:
      return QT_TRANSLATE_NOOP("orrin", "电源：接通或断开");
    case SpeedButtonCLR:
      return QT_TRANSLATE_NOOP("orrin", "CLR：清零（复位）");
    case SpeedButtonQD:
      return QT_TRANSLATE_NOOP("orrin", "QD：启动（单拍方式走一个机器周期，连续方式运行到 STOP）");
    case SpeedButton_PULSE:
      return QT_TRANSLATE_NOOP("orrin", "PULSE：中断请求脉冲");
    case SpeedButton_BackLeft:
      return QT_TRANSLATE_NOOP("orrin", "回放：后退一个小拍（按住连续后退）");
    case SpeedButton_BackRight:
      return QT_TRANSLATE_NOOP("orrin", "回放：前进一个小拍（按住连续前进）");
    case Button_PAUSE:
      return QT_TRANSLATE_NOOP("orrin", "暂停：停止连续运行");
    case Button_OneLittleStep:
      return QT_TRANSLATE_NOOP("orrin", "单小拍：执行下一个小拍 T1、T2 或 T3");
    case Button_delLine:
      return QT_TRANSLATE_NOOP("orrin", "清除所有连线（断电时）");
    case Button_SetColor:
      return QT_TRANSLATE_NOOP("orrin", "选择新连线的颜色");
    case Button_GridToMEM:
      return QT_TRANSLATE_NOOP("orrin", "把表格中修改的单元写入内存");
    case Button_GridToMicro:
      return QT_TRANSLATE_NOOP("orrin", "把表格中修改的微指令写入控制存储器");
    default:
      return nullptr;
  }
}

bool IsLever(Pic p) {
  return p == Pic::RSWH || p == Pic::RSWL || p == Pic::GSWH || p == Pic::GSWL || p == Pic::BSWH || p == Pic::BSWL;
}
bool IsUp(Pic p) { return p == Pic::RSWH || p == Pic::GSWH || p == Pic::BSWH; }

// Lamps, the EN_INT indicator and the beat lines at a steady level.
bool IsLamp(Pic p, bool& lit) {
  const std::string_view role = PicName(p);
  if (role.starts_with("Lamp")) {
    lit = role.ends_with('H');
    return true;
  }
  lit = p == Pic::ENINTON || p == Pic::Tx_highlevel;
  return p == Pic::ENINTON || p == Pic::ENINTOFF || p == Pic::Tx_highlevel || p == Pic::Tx_lowlevel;
}

bool HasDigit(const std::string& s) {
  return std::any_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

QString Level(int32_t v) {
  if (v == 0 || v == 1) return QString::number(v);
  return Tr(QT_TRANSLATE_NOOP("orrin", "无"));
}

}  // namespace

QString TipFor(const Simulator& sim, WidgetId id, const QString& key) {
  const WidgetState& w = sim.view[id];
  const QString name = ShortName(id);
  QString tip;
  bool lit = false;
  if (const char* text = ButtonText(id)) {
    tip = Tr(text);
  } else if (IsLever(w.picture)) {
    tip = (IsUp(w.picture) ? Tr(QT_TRANSLATE_NOOP("orrin", "%1：上，1")) : Tr(QT_TRANSLATE_NOOP("orrin", "%1：下，0")))
              .arg(name);
  } else if (w.picture == Pic::Tx_posedge || w.picture == Pic::Tx_negedge) {
    tip = (w.picture == Pic::Tx_posedge ? Tr(QT_TRANSLATE_NOOP("orrin", "%1：上升沿"))
                                        : Tr(QT_TRANSLATE_NOOP("orrin", "%1：下降沿")))
              .arg(name);
  } else if (IsLamp(w.picture, lit)) {
    tip = (lit ? Tr(QT_TRANSLATE_NOOP("orrin", "%1 = 1（亮）")) : Tr(QT_TRANSLATE_NOOP("orrin", "%1 = 0（灭）")))
              .arg(name);
  } else if (Info(id).kind == WidgetKind::Edit) {
    tip = Tr(QT_TRANSLATE_NOOP("orrin", "寄存器 %1 = %2（输入新值后按回车）")).arg(name, Tr(w.text));
  } else if (Info(id).kind == WidgetKind::Label && (HasDigit(w.text) || id == Label_181formula)) {
    // Values only: captions and notes say what they are already.
    if (std::string_view(Info(id).name).starts_with("Label_Hand_"))
      tip = Tr(QT_TRANSLATE_NOOP("orrin", "%1 的信号来源：%2")).arg(name, Tr(w.text));
    else
      tip = QString("%1 = %2").arg(name, Tr(w.text));
  }
  if (!key.isEmpty() && !tip.isEmpty()) tip += "  (" + key + ")";
  return tip;
}

QString JackTip(const Simulator& sim, int x, int y) {
  const int i = sim.wires.HitTest(x, y);
  if (i < 0) return {};
  const Jack& j = sim.wires.JackAt(i);
  QStringList others;
  for (const Wire& wire : sim.wires.Wires()) {
    if (!wire.InUse) continue;
    const int other = wire.From == i ? wire.To : wire.To == i ? wire.From : -1;
    if (other >= 0 && other < JackCount) others << QString::fromStdString(sim.wires.JackAt(other).Name);
  }
  const QString kind =
      j.IsOutput ? Tr(QT_TRANSLATE_NOOP("orrin", "输出插孔")) : Tr(QT_TRANSLATE_NOOP("orrin", "输入插孔"));
  const QString wires = others.isEmpty() ? Tr(QT_TRANSLATE_NOOP("orrin", "未连线")) : others.join(", ");
  return Tr(QT_TRANSLATE_NOOP("orrin", "%1 — %2\n连到：%3\n电平：%4"))
      .arg(QString::fromStdString(j.Name), kind, wires, Level(j.Value));
}

}  // namespace orrin::ui
