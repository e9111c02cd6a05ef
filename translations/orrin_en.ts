<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>orrin</name>
    <message>
        <location filename="../ui/art_board.cpp" line="+74"/>
        <source>标志</source>
        <translation>Flags</translation>
    </message>
    <message>
        <location line="+58"/>
        <source>8 位教学计算机</source>
        <translation>8-bit computer</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>计算机组成原理实验系统</source>
        <translation>Computer organisation lab</translation>
    </message>
    <message>
        <location line="+6"/>
        <location filename="../ui/tooltips.cpp" line="+139"/>
        <source>输出插孔</source>
        <translation>output jack</translation>
    </message>
    <message>
        <location line="+3"/>
        <location filename="../ui/tooltips.cpp" line="+0"/>
        <source>输入插孔</source>
        <translation>input jack</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>在电源关闭时连线：单击一个插孔开始，在空白处单击留下折点，单击另一类插孔完成。
两孔之间再连一次即删除这根线；画线途中单击右键放弃。线总是从输出插孔连到输入插孔。</source>
        <translation>Wire with the power off: click a jack to start, click empty board for a bend, click a jack of the other kind to finish.
Wiring the same two jacks again deletes the wire; a right click abandons it. Wires run from output jacks to input jacks.</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>IR7-IR4
输出</source>
        <translation>IR7-IR4
out</translation>
    </message>
    <message>
        <location filename="../ui/art_datapath.cpp" line="+117"/>
        <source>控制信号来自插孔 (独立方式)</source>
        <translation>Control signals from the jacks (independent)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>控制信号来自微程序</source>
        <translation>Control signals from the microprogram</translation>
    </message>
    <message>
        <location filename="../ui/art_micro.cpp" line="+122"/>
        <source>微指令格式 (40 位)</source>
        <translation>Microword format (40 bits)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>M38 SELCTL   1: RD/RS 取 SEL3-0</source>
        <translation>M38 SELCTL   1: RD/RS from SEL3-0</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>M10-6 P4-P0 判别位</source>
        <translation>M10-6 P4-P0 test bits</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>M5-0 NuA5-NuA0 下址</source>
        <translation>M5-0 NuA5-NuA0 next address</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>独立方式：控制信号来自插孔，
微程序控制器照常运行但不驱动数据通路</source>
        <translation>Independent mode: control signals come from the jacks;
the controller runs but drives nothing</translation>
    </message>
    <message>
        <location filename="../ui/art_templates.cpp" line="+138"/>
        <source>第 %1 小拍</source>
        <translation>Beat %1</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>停</source>
        <translation>Stop</translation>
    </message>
    <message>
        <location filename="../layout/board_geometry.h" line="+25"/>
        <source>A 端口 (ALU A)</source>
        <translation>A port (ALU A)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>B 端口 (ALU B)</source>
        <translation>B port (ALU B)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>数据总线 DBUS</source>
        <translation>Data bus DBUS</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>标志  Z   C</source>
        <translation>Flags  Z   C</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>地址寄存器 AR</source>
        <translation>Address register AR</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>程序计数器 PC</source>
        <translation>Program counter PC</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>指令总线 INS</source>
        <translation>Instruction bus INS</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>指令寄存器 IR</source>
        <translation>Instruction register IR</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>微地址 μA5-μA0</source>
        <translation>Micro-address μA5-μA0</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>下址 NuA5-NuA0</source>
        <translation>Next NuA5-NuA0</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>判别 P4-P0</source>
        <translation>Tests P4-P0</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>寄存器选择 SEL3-SEL0  SELCTL</source>
        <translation>Register select SEL3-SEL0  SELCTL</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>节拍信号</source>
        <translation>Beats</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>微程序判别输入</source>
        <translation>Microprogram test inputs</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>插孔</source>
        <translation>Jacks</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>控制信号指示灯</source>
        <translation>Control signal lamps</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>连线方法</source>
        <translation>How to wire</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>控制信号输入插孔   (括号内为驱动该信号的开关或微指令位)</source>
        <translation>Control signal input jacks   (in brackets: the switch or microword bit driving it)</translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+3"/>
        <location filename="../layout/layout_console.cpp" line="+78"/>
        <source>电源</source>
        <translation>Power</translation>
    </message>
    <message>
        <location line="-1"/>
        <source>电平开关输出   K15-K0 (上排)   K31-K16 (下排)</source>
        <translation>Level switch outputs   K15-K0 (upper row)   K31-K16 (lower row)</translation>
    </message>
    <message>
        <location filename="../ui/disassembly_window.cpp" line="+11"/>
        <source>反汇编</source>
        <translation>Disassembly</translation>
    </message>
    <message>
        <location filename="../layout/layout_board.cpp" line="+59"/>
        <source>控制器</source>
        <translation>Controller</translation>
    </message>
    <message>
        <location filename="../layout/layout_console.cpp" line="-22"/>
        <source>操作模式</source>
        <translation>Mode</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>数据开关SD7-SD0，上1 下0</source>
        <translation>Data switches SD7-SD0, up 1 down 0</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>送总线</source>
        <translation>to bus</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>电平开关K31-K0， 上1 下0</source>
        <translation>Level switches K31-K0, up 1 down 0</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>回放</source>
        <translation>Replay</translation>
    </message>
    <message>
        <location filename="../layout/layout_datapath.cpp" line="+30"/>
        <source>运算器与标志</source>
        <translation>ALU and flags</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>F 输出</source>
        <translation>F out</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>A 端口</source>
        <translation>A port</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>B 端口</source>
        <translation>B port</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>寄存器堆</source>
        <translation>Registers</translation>
    </message>
    <message>
        <location line="+40"/>
        <source>2-4 译码</source>
        <translation>2-4 decoder</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>存储器  RAM 256×8  (双端口)</source>
        <translation>Memory  RAM 256×8  (dual port)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>内存列表</source>
        <translation>Memory list</translation>
    </message>
    <message>
        <location line="+101"/>
        <source>DBUS 数据总线</source>
        <translation>DBUS data bus</translation>
    </message>
    <message>
        <location filename="../layout/layout_micro.cpp" line="+37"/>
        <source>微程序控制器</source>
        <translation>Control unit</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>当前微指令</source>
        <translation>Current microword</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>控制存储器</source>
        <translation>Control store</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>64 × 40 位</source>
        <translation>64 × 40 bits</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>节拍相位</source>
        <translation>Beat phase</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>下址逻辑</source>
        <translation>Next-address logic</translation>
    </message>
    <message>
        <location line="+49"/>
        <source>判别位 P4-P0</source>
        <translation>Test bits P4-P0</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>下一微地址</source>
        <translation>Next micro-address</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>寄存器选择  (SELCTL=1 取 SEL3-0)</source>
        <translation>Register select  (SELCTL=1: SEL3-0)</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>送往插孔 IR7-O … IR4-O、Z-O、C-O</source>
        <translation>To jacks IR7-O … IR4-O, Z-O, C-O</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>中断与停机</source>
        <translation>Interrupt and stop</translation>
    </message>
    <message>
        <location filename="../layout/layout_window.cpp" line="+57"/>
        <source>两孔第二次连线，则删</source>
        <translation>Wiring two jacks again</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>除两孔之间所有连线。</source>
        <translation>deletes their wires.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>连线中途点右键即终止。</source>
        <translation>Right-click ends a wire.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>连线数</source>
        <translation>Wires</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>连线中途点坐标</source>
        <translation>Waypoints</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>鼠标位置</source>
        <translation>Mouse at</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>信号入&lt;-信号出</source>
        <translation>In &lt;- out</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>信号出-&gt;信号入</source>
        <translation>Out -&gt; in</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>软件说明</source>
        <translation>About this simulator</translation>
    </message>
    <message>
        <location filename="../ui/form_desktop.cpp" line="+176"/>
        <location filename="../ui/main_form.cpp" line="+33"/>
        <source>Orrin 仿真软件</source>
        <translation>Orrin simulator</translation>
    </message>
    <message>
        <location line="+57"/>
        <source>最近的文件</source>
        <translation>Recent files</translation>
    </message>
    <message>
        <location filename="../ui/qt_host.cpp" line="+22"/>
        <location line="+13"/>
        <location filename="../ui/simulator_texts.cpp" line="+81"/>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <location line="-7"/>
        <source>… 还有 %1 行</source>
        <translation>… %1 more lines</translation>
    </message>
    <message>
        <location filename="../ui/simulator_texts.cpp" line="-67"/>
        <source>硬连线</source>
        <translation>Hardwired</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>独  立</source>
        <translation>Independent</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>微程序</source>
        <translation>Microprogram</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>清除所有连线</source>
        <translation>Clear all wires</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>设置连线颜色</source>
        <translation>Wire colour</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>暂停 </source>
        <translation>Pause</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>单小拍 </source>
        <translation>Beat</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>“独立”方式下，以下微程序信号无效。</source>
        <translation>In &quot;independent&quot; mode these microprogram signals do nothing.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>“微程序”方式下，高低电平值
不会送至各个部件。</source>
        <translation>In &quot;microprogram&quot; mode the switch
levels reach no unit.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>(非独立方式)</source>
        <translation>(micro mode)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>X写DB</source>
        <translation>X on DB</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>错误插孔：</source>
        <translation>Bad jacks:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>文件</source>
        <translation>File</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>退出</source>
        <translation>Quit</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>连线</source>
        <translation>Wires</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>读取连线文件</source>
        <translation>Read wire file</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>备份连线到文件</source>
        <translation>Save wires to file</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>内存</source>
        <translation>Memory</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>TXT文件-&gt;内存</source>
        <translation>TXT file -&gt; memory</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>内存-&gt;TXT文件</source>
        <translation>Memory -&gt; TXT file</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>汇编文件-&gt;内存</source>
        <translation>Assembly file -&gt; memory</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>反汇编窗口</source>
        <translation>Disassembly window</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>读文件到微程序</source>
        <translation>Read microprogram file</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>备份微程序到文件</source>
        <translation>Save microprogram to file</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>读微程序源文件…</source>
        <translation>Read microprogram source…</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>备份微程序为源文件…</source>
        <translation>Save microprogram as source…</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>读硬连线控制器…</source>
        <translation>Read hard-wired controller…</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>查看</source>
        <translation>View</translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../ui/timing_diagram.cpp" line="+234"/>
        <source>时序图</source>
        <translation>Timing diagram</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>1、仿真软件比实验箱多16个“电平开关”，K16~K31。</source>
        <translation>1. The simulator has 16 more level switches than the lab board: K16 to K31.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>2、比实验箱多了INTEN、INTDI、LIAR、IABUS、LIR 共5个输入插孔。</source>
        <translation>2. It has 5 more input jacks than the lab board: INTEN, INTDI, LIAR, IABUS and LIR.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>3、“控制信号”栏的24个控制码指示灯，在“独立”方式时，显示的是当前连接的32个高低电平Key值，不是微指令值。</source>
        <translation>3. In &quot;independent&quot; mode the 24 control lamps of the &quot;control signals&quot; row show the levels of the 32 switches wired to them, not the microword.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>4、青色底的各个单元是寄存器，可以直接修改成所需要的值，每一个修改后都要回车，不要修改几个后一起回车。</source>
        <translation>4. The cyan fields are registers: type a new value into one and press Enter; press Enter after each field, not once after several.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>5、微程序地址uAR是寄存器，可直接修改成需要的微地址值，回车后保存。设置它可以确定将要执行哪条微指令。</source>
        <translation>5. The micro-address uAR is a register: type a micro-address and press Enter to choose the microword that runs next.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>6、最下方的控制面板，在QD键旁边增加了“单小拍”按钮，直接按它，可依次执行T1、T2、T3小节拍。不需要按QD。</source>
        <translation>6. The console at the bottom has a &quot;Beat&quot; button beside QD: each press runs the next small beat T1, T2, T3, without QD.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>7、按住“Ctrl”键转动鼠标滚轮，可左右滑动窗口。</source>
        <translation>7. Hold Ctrl and turn the mouse wheel to scroll the window sideways.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>8、连线、内存、微程序，可通过菜单操作备份在文件中。</source>
        <translation>8. Wires, memory and microprogram can be saved to files from the menus.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>单拍</source>
        <translation>Step</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>连续</source>
        <translation>Run</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>启动程序运行</source>
        <translation>Run program</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>写存储器</source>
        <translation>Write memory</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>读存储器</source>
        <translation>Read memory</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>读寄存器</source>
        <translation>Read registers</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>写寄存器</source>
        <translation>Write registers</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>运算器实验</source>
        <translation>ALU lab</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>存储器实验</source>
        <translation>Memory lab</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>数据通路实验</source>
        <translation>Datapath lab</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1写DB</source>
        <translation>%1 on DB</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1[%2写DBUS，错误]</source>
        <translation>%1[%2 on DBUS, error]</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>  错误插孔信息  </source>
        <translation>  Bad jacks  </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&apos;%1&apos;连%2根线</source>
        <translation>&apos;%1&apos; has %2 wires</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>微程序方式无效</source>
        <translation>no effect in microprogram mode</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> 上%1,下%2</source>
        <translation> up %1,dn %2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>F = 全1</source>
        <translation>F = all 1s</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>连线进行中，不能通电。</source>
        <translation>A wire is being drawn: the power cannot be switched on.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>检查连线！输入插孔不能接多个输出插孔。</source>
        <translation>Check the wiring! An input jack cannot take more than one output jack.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>连线数已达上限。</source>
        <translation>The number of wires is at its limit.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>通电状态不能删除连线。</source>
        <translation>Wires cannot be deleted while the power is on.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>清除连线不可恢复，要继续吗？</source>
        <translation>Clearing the wires cannot be undone. Continue?</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>通电状态不能读取连线文件。</source>
        <translation>A wire file cannot be read while the power is on.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>连线文件太大，未读取。</source>
        <translation>The wire file is too large; it was not read.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>读连线文件前要清除现有连线，要继续吗？</source>
        <translation>Reading a wire file first clears the present wires. Continue?</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>电源没开，内存没有数据，不能备份！</source>
        <translation>The power is off: the memory holds nothing to save!</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>电源没开，内存无法写入！</source>
        <translation>The power is off: the memory cannot be written!</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>汇编文件有错误，内存未改变：%1</source>
        <translation>The assembly file has errors; the memory is unchanged:%1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>内存文件格式不对：需要 512 个十六进制字符。</source>
        <translation>The memory file is malformed: it needs 512 hexadecimal digits.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>微程序文件太大，未读取。</source>
        <translation>The microprogram file is too large; it was not read.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>汇编文件太大，未读取。</source>
        <translation>The assembly file is too large; it was not read.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>微程序源文件太大，未读取。</source>
        <translation>The microprogram source file is too large; it was not read.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>微程序源文件有错误，微程序未改变：%1</source>
        <translation>The microprogram source has errors; the microprogram is unchanged:%1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>硬连线控制器文件太大，未读取。</source>
        <translation>The hard-wired controller file is too large; it was not read.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>硬连线控制器读不出，控制器未改变：%1</source>
        <translation>The hard-wired controller cannot be read; the controller is unchanged: %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>这里不能综合 Verilog：请读入它的网表 .json（Yosys 的 write_json）。</source>
        <translation>Verilog cannot be synthesised here: load its netlist .json (Yosys&apos;s write_json).</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>没有找到 Yosys，不能综合 Verilog：请安装 Debian 软件包 yosys，或读入设计的网表 .json（Yosys 的 write_json）。</source>
        <translation>Yosys was not found, so Verilog cannot be synthesised: install the Debian package yosys, or load the design&apos;s netlist .json (Yosys&apos;s write_json).</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Yosys 综合失败：%1</source>
        <translation>Yosys could not synthesise %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Yosys 没有写出网表：%1</source>
        <translation>Yosys wrote no netlist: %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Yosys 运行超过 %1 秒，已停止：%2</source>
        <translation>Yosys ran longer than %1 seconds and was stopped: %2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>无法为 Yosys 建立临时文件夹。</source>
        <translation>Cannot make a scratch folder for Yosys.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>无法为 Yosys 写入设计文件。</source>
        <translation>Cannot write the design&apos;s file for Yosys.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Verilog 设计只能是一个文件，不能用 %1：%2</source>
        <translation>A Verilog design is one file and cannot use %1: %2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>连线文件第 %1 行无法读取，已跳过。</source>
        <translation>Wire file line(s) %1 could not be read and were skipped.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>微程序文件第 %1 行无法读取，已跳过。</source>
        <translation>Microprogram file line(s) %1 could not be read and were skipped.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>连线文件中没有一条能读出的连线，连线未改变：%1</source>
        <translation>No wire could be read from the file; the wiring is unchanged: %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>微程序文件中没有一条能读出的微指令，微程序未改变：%1</source>
        <translation>No microinstruction could be read from the file; the microprogram is unchanged:%1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>无法读取文件：%1</source>
        <translation>Cannot read the file: %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>无法写入文件：%1</source>
        <translation>Cannot write the file: %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../ui/timing_diagram.cpp" line="+84"/>
        <source>无法导出到 %1：文件名须以 .vcd、.csv、.json、.svg 或 .png 结尾。</source>
        <translation>Cannot export to %1: the file name must end in .vcd, .csv, .json, .svg or .png.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>指令集文件有错误，使用标准指令集：%1</source>
        <translation>The instruction set file has errors; the standard set is used: %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>无法读取指令集文件，使用标准指令集：%1</source>
        <translation>Cannot read the instruction set file; the standard set is used: %1</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>模拟器出错，请重新载入页面。</source>
        <translation>The simulator failed; please reload the page.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>重新载入</source>
        <translation>Reload</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>跟随</source>
        <translation>Follow</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>导出时序 (VCD)</source>
        <translation>Export trace (VCD)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>导出时序 (CSV)</source>
        <translation>Export trace (CSV)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>导出时序 (PNG)</source>
        <translation>Export trace (PNG)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>打开示例文件</source>
        <translation>Open an example file</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>从本机选择文件…</source>
        <translation>Choose a file on this computer…</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <location filename="../ui/timing_diagram.cpp" line="-83"/>
        <source>全部</source>
        <translation>Fit all</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+14"/>
        <source>导出…</source>
        <translation>Export…</translation>
    </message>
    <message>
        <location filename="../ui/tooltips.cpp" line="-118"/>
        <source>回放：显示的小拍/最新的小拍</source>
        <translation>Replay: beat shown/newest</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>电源：接通或断开</source>
        <translation>Power: switch on or off</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>CLR：清零（复位）</source>
        <translation>CLR: clear (reset)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>QD：启动（单拍方式走一个机器周期，连续方式运行到 STOP）</source>
        <translation>QD: start (single: one machine cycle; continuous: run until STOP)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>PULSE：中断请求脉冲</source>
        <translation>PULSE: interrupt request pulse</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>回放：后退一个小拍（按住连续后退）</source>
        <translation>Replay: one small beat back (hold to keep going)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>回放：前进一个小拍（按住连续前进）</source>
        <translation>Replay: one small beat forward (hold to keep going)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>暂停：停止连续运行</source>
        <translation>Pause: stop a continuous run</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>单小拍：执行下一个小拍 T1、T2 或 T3</source>
        <translation>Beat: run the next small beat T1, T2 or T3</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>清除所有连线（断电时）</source>
        <translation>Clear every wire (with the power off)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>选择新连线的颜色</source>
        <translation>Choose the colour of new wires</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>把表格中修改的单元写入内存</source>
        <translation>Write the cells changed in the table into memory</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>把表格中修改的微指令写入控制存储器</source>
        <translation>Write the microwords changed in the table into the control store</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>无</source>
        <translation>none</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>%1：上，1</source>
        <translation>%1: up, 1</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>%1：下，0</source>
        <translation>%1: down, 0</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1：上升沿</source>
        <translation>%1: rising edge</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1：下降沿</source>
        <translation>%1: falling edge</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 = 1（亮）</source>
        <translation>%1 = 1 (lit)</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>%1 = 0（灭）</source>
        <translation>%1 = 0 (off)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>寄存器 %1 = %2（输入新值后按回车）</source>
        <translation>Register %1 = %2 (type a new value, then Enter)</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1 的信号来源：%2</source>
        <translation>%1 is driven by %2</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>未连线</source>
        <translation>not wired</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 — %2
连到：%3
电平：%4</source>
        <translation>%1 — %2
wired to: %3
level: %4</translation>
    </message>
    <message>
        <location filename="../ui/form_lab.cpp" line="+66"/>
        <source>打开实验</source>
        <translation>Open lab</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>实验文件 (*.lab)</source>
        <translation>Lab files (*.lab)</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>保存操作记录</source>
        <translation>Save session</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>操作记录 (*.orrin)</source>
        <translation>Sessions (*.orrin)</translation>
    </message>
    <message>
        <location line="+15"/>
        <location filename="../ui/lab_panel.cpp" line="+217"/>
        <source>实验</source>
        <translation>Lab</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>打开实验…</source>
        <translation>Open lab…</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>保存操作记录…</source>
        <translation>Save session…</translation>
    </message>
    <message>
        <location filename="../ui/lab_panel.cpp" line="-55"/>
        <source>全部完成！</source>
        <translation>All done!</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>第 %1 步</source>
        <translation>Step %1</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>提示：</source>
        <translation>Hint: </translation>
    </message>
    <message>
        <location line="+8"/>
        <source>本实验不允许这样做：%1。之后的步骤不再算完成；重新打开实验可从头开始。</source>
        <translation>This lab does not allow this: %1. The steps after it no longer count; open the lab again to start over.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>答案不对，再想想。</source>
        <translation>That answer is wrong; think again.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>用时 %1 · 已完成 %2/%3</source>
        <translation>Time %1 · done %2/%3</translation>
    </message>
    <message>
        <location filename="../ui/simulator_texts.cpp" line="-17"/>
        <source>实验：%1</source>
        <translation>Lab: %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>（用了提示）</source>
        <translation> (hint used)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>（答错 %1 次）</source>
        <translation> (%1 wrong answers)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>第 %1 步：%2%3</source>
        <translation>Step %1: %2%3</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>第 %1 步：未完成%2</source>
        <translation>Step %1: not done%2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>共用时 %1，完成 %2/%3 步，用了 %4 次提示</source>
        <translation>Total %1, %2 of %3 steps done, hints used: %4</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>答错 %1 次</source>
        <translation>%1 wrong answers</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>用了本实验不允许的 %1，之后的步骤不算完成</source>
        <translation>Used %1, which this lab does not allow; the steps after it do not count</translation>
    </message>
    <message>
        <location filename="../ui/lab_panel.cpp" line="+16"/>
        <source>显示提示</source>
        <translation>Show hint</translation>
    </message>
    <message>
        <location filename="../ui/form_bind.cpp" line="+61"/>
        <source>后退一拍</source>
        <translation>Back one beat</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>前进一拍</source>
        <translation>Forward one beat</translation>
    </message>
    <message>
        <location filename="../ui/picture_box.cpp" line="+35"/>
        <source>上</source>
        <translation>up</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>下</source>
        <translation>down</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>开</source>
        <translation>on</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>关</source>
        <translation>off</translation>
    </message>
</context>
</TS>
