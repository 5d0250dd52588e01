#include "app/caption_table.h"

namespace bms::app {

namespace {

// Texts that many controls share; each control still has its own entry so that the
// language switch can walk one flat list.
constexpr Caption Read(std::string_view control) { return {control, "读取", "Read"}; }
constexpr Caption Save(std::string_view control) { return {control, "保存", "Save"}; }
constexpr Caption Zero(std::string_view control) { return {control, "清零", "Zero"}; }
constexpr Caption ConfirmHint(std::string_view control) {
  return {control, "清零：输入585并确认", "Clear:enter 585 and confirm"};
}

// Tool tips of controls whose caption stays Chinese in the English interface.
constexpr ToolTip English(std::string_view control, std::string_view english) {
  return {control, "", english};
}
constexpr std::string_view kNoActionYet = "Reserved: this button does nothing yet";

}  // namespace

std::span<const Caption> ControlCaptions() {
  static constexpr Caption kCaptions[] = {
      // Read buttons.
      Read("读BMC主机版本按钮"),
      Read("读剩余KWH按钮"),
      Read("读本次运行时间按钮"),
      Read("读BMS累计运行时间按钮"),
      Read("读运行时间小计1按钮"),
      Read("读运行时间小计2按钮"),
      Read("读总累计充电电量按钮"),
      Read("读充电电量小计1按钮"),
      Read("读充电电量小计2按钮"),
      Read("读总累计放电电量按钮"),
      Read("读放电电量小计1按钮"),
      Read("读放电电量小计2按钮"),
      Read("读最高极限电压按钮"),
      Read("读最低极限电压按钮"),
      Read("读降电流充电电压按钮"),
      Read("读降电流放电电压按钮"),
      Read("读充电终止电压按钮"),
      Read("读恢复充电电压按钮"),
      Read("读开始均衡电压按钮"),
      Read("读恢复放电电压按钮"),
      Read("读放电终止电压按钮"),
      Read("读均衡开启压差按钮"),
      Read("读充电高温保护按钮"),
      Read("读充电低温保护按钮"),
      Read("读放电高温保护按钮"),
      Read("读放电低温保护按钮"),
      Read("读温度恢复回差按钮"),
      Read("读允许均衡温差按钮"),
      Read("读极限高温保护按钮"),
      Read("读极限低温保护按钮"),
      Read("读降电流充电高温值按钮"),
      Read("读降电流充电低温值按钮"),
      Read("读降电流放电高温值按钮"),
      Read("读降电流放电低温值按钮"),
      Read("读安装BIC数量按钮"),
      Read("读BIC检测周期按钮"),
      Read("读热敏电阻类型按钮"),
      Read("读取BIC地址按钮"),
      Read("读BIC单体数量按钮"),
      Read("读BIC温感数量按钮"),
      Read("读总电流量程按钮"),
      Read("读电流传感器零位按钮"),
      Read("读总电压量程按钮"),
      Read("读取额定总电压按钮"),
      Read("读取最高充电总电压按钮"),
      Read("读取最大充电电流按钮"),
      Read("读取最小充电电流按钮"),
      Read("读最低放电总电压按钮"),
      Read("读最大放电电流按钮"),
      Read("读最小放电电流按钮"),
      Read("读取额定容量按钮"),
      Read("读电池类型按钮"),
      Read("读自动开启放电按钮"),
      Read("读放电唤醒信号按钮"),
      Read("读取单信号充放电设置按钮"),
      Read("读是否打开蜂鸣器按钮"),
      Read("读是否安装PCC按钮"),
      Read("读是否安装漏电检测模块按钮"),
      Read("读是否安装烧结检测模块按钮"),

      // Save buttons.
      Save("修改密码按钮"),
      Save("保存最高极限电压按钮"),
      Save("保存最低极限电压按钮"),
      Save("保存降电流充电电压按钮"),
      Save("保存降电流放电电压按钮"),
      Save("保存充电终止电压按钮"),
      Save("保存恢复充电电压按钮"),
      Save("保存开始均衡电压按钮"),
      Save("保存恢复放电电压按钮"),
      Save("保存放电终止电压按钮"),
      Save("保存均衡开启压差按钮"),
      Save("保存充电高温保护按钮"),
      Save("保存充电低温保护按钮"),
      Save("保存放电高温保护按钮"),
      Save("保存放电低温保护按钮"),
      Save("保存温度恢复回差按钮"),
      Save("保存允许均衡温差按钮"),
      Save("保存极限高温保护按钮"),
      Save("保存极限低温保护按钮"),
      Save("保存降电流充电高温值按钮"),
      Save("保存降电流充电低温值按钮"),
      Save("保存降电流放电高温值按钮"),
      Save("保存降电流放电低温值按钮"),
      Save("保存安装BIC数量按钮"),
      Save("保存BIC检测周期按钮"),
      Save("保存热敏电阻类型按钮"),
      Save("保存BIC地址按钮"),
      Save("保存BIC单体数量按钮"),
      Save("保存BIC温感数量按钮"),
      Save("保存额定总电压按钮"),
      Save("保存最高充电总电压按钮"),
      Save("保存最大充电电流按钮"),
      Save("保存最小充电电流按钮"),
      Save("保存最低放电总电压按钮"),
      Save("保存最大放电电流按钮"),
      Save("保存最小放电电流按钮"),
      Save("保存额定容量按钮"),
      Save("保存电池类型按钮"),
      Save("保存自动开启放电按钮"),
      Save("保存放电唤醒信号按钮"),
      Save("保存单信号充放电设置按钮"),
      Save("保存是否打开蜂鸣器按钮"),
      Save("保存是否安装PCC按钮"),
      Save("保存是否安装漏电检测模块按钮"),
      Save("保存是否安装烧结检测模块按钮"),

      // Counter clear buttons.
      Zero("清零发送计数按钮"),
      Zero("清零接收计数按钮"),
      Zero("清时间小计1按钮"),
      Zero("清时间小计2按钮"),
      Zero("清充电电量小计1按钮"),
      Zero("清充电电量小计2按钮"),
      Zero("清放电电量小计1按钮"),
      Zero("清放电电量小计2按钮"),

      // Hints beside the counter clear buttons.
      ConfirmHint("输入585确认提示标签1"),
      ConfirmHint("输入585确认提示标签2"),
      ConfirmHint("输入585确认提示标签3"),
      ConfirmHint("输入585确认提示标签4"),
      ConfirmHint("输入585确认提示标签5"),
      ConfirmHint("输入585确认提示标签6"),

      // In 运行信息选择夹.
      {"预计电量标记标签", "预计电量", "Estimated Battery Level"},
      {"电流标记标签", "电流", "Current"},
      {"管理器主机温度标记标签", "管理器主机温度", "BMC Temperature"},
      {"总电压标记标签", "总电压", "Total Voltage"},
      {"功率标记标签", "功率", "Power"},
      {"最高单体电压标记标签", "最高单体电压", "Max Voltage Cell"},
      {"最低单体电压标记标签", "最低单体电压", "Min Voltage Cell"},
      {"最高单体温度标记标签", "最高单体温度", "Max Temperature Cell"},
      {"最低单体温度标记标签", "最低单体温度", "Min Temperature Cell"},
      {"充电控制标记标签", "充电接受能力", "Charge accept ability"},
      {"放电控制标记标签", "放电输出能力", "Discharge output ability"},
      {"最高BIC温度标记标签", "最高BIC电路板温度", "Max BIC PCB Temperature"},
      {"最低BIC温度标记标签", "最低BIC电路板温度", "Min BIC PCB temperature"},
      {"主接触器标记标签", "主接触器", "Main Relay"},
      {"低压供电12V值标记标签", "12V供电电源", "BMS 12V voltage"},
      {"重新尝试启动确认码提示标签", "输入585用于确认操作", "Enter 585 to confirm the operation"},
      {"重新尝试启动按钮", "尝试重新启动", "Try restart"},
      {"新密码标签", "输入新密码", "New password"},
      {"重复输入密码标签", "重复输入", "Repeat input"},
      {"恢复默认密码提示标签", "如果忘记了远程访问密码，请参阅手册并在BMS控制器端恢复默认密码。",
       "If you forget the remote access password, please refer to the manual and restore the "
       "default password on the BMS controller side."},

      // In 连接设置单选框.
      {"串口号标签", "串口号", "Port ID"},
      {"BMC编号标签", "BMC编号", "BMC No."},
      {"串口通信单选框", "串口/485/CAN", "COM/485/CAN"},
      {"网络通信单选框", "网络/IP", "Network/IP"},
      {"网络地址标签", "网络地址", "Network address"},
      {"服务器端口标签", "端口", "Port"},
      {"远程密码标签", "密码", "Password"},

      // Directly on the main window.
      {"连接设置单选框", "连接设置", "Setup connection"},

      // In 状态栏.
      {"链路状态标签", "空闲", "Idle"},
      {"自动重连选择框", "自动重连", "Auto reconnect"},
      {"告警日志按钮", "告警日志", "Alarm journal"},
      {"热图按钮", "热图", "Heat map"},
      {"趋势按钮", "趋势", "Trends"},

      // In 分组框1.
      {"单体电压标记标签", "电压", "Voltage"},
      {"单体序号标记标签", "单体", "Cell"},
      {"平衡状态标记标签", "平衡", "Balance"},
      {"温度传感器标记标签", "传感器", "Sensor"},
      {"温度值标记标签", "温度", "TEMP"},
      {"读取单体信息选择框", "读取单体信息", "Read Cell Info"},
      {"计划读取BIC编号标记标签1", "计划读取第", "Plan to read No."},
      {"计划读取BIC编号标记标签2", "号BIC单体信息", "BIC cell Info"},
      {"实时BIC编号标记标签1", "当前第", "Now No."},
      {"实时BIC编号标记标签2", "号BIC,电路板温度", "BIC,PCB TEMP is"},
      {"系统安装BIC数量标记标签1", "系统安装了", "System have"},
      {"系统安装BIC数量标记标签2", "个BIC", "BICs"},

      // In 分组框3.
      {"最高单体电压位置标题标签", "最高单体电压位置", "Max voltage cell location"},
      {"最低单体电压位置标题标签", "最低单体电压位置", "Min voltage cell location"},
      {"最高温度点位置标题标签", "最高温度点位置", "Max temperature location"},
      {"最低温度点位置标题标签", "最低温度点位置", "Min temperature location"},
      {"最高温度的BIC电路板标题标签", "最高温度的BIC电路板", "Max temperature BIC"},
      {"最低温度的BIC电路板标题标签", "最低温度的BIC电路板", "Min temperature BIC"},
      {"BMC固件版本标题", "BMC固件版本", "BMC firmware version"},

      // In 分组框4.
      {"剩余电量标记标签", "剩余电量", "Remaining kWh"},

      // In 分组框5.
      {"本次运行时间标题", "本次运行时间（秒）", "This time running sec"},
      {"BMS累计运行时间标题", "BMS累计运行时间（秒）", "Cumulative running sec"},
      {"运行时间小计1标题", "运行时间小计1（秒）", "Subtotal 1 running sec"},
      {"运行时间小计2标题", "运行时间小计2（秒）", "Subtotal 2 running sec"},

      // In 分组框6.
      {"总累计充电电量标题", "总累计充电电量（kWh）", "Cumulative charge kWh"},
      {"充电电量小计1标题", "充电电量小计1（kWh）", "Subtotal 1 charge kWh"},
      {"充电电量小计2标题", "充电电量小计2（kWh）", "Subtotal 2 charge kWh"},

      // In 分组框11.
      {"总累计放电电量标题", "总累计放电电量（kWh）", "Cumulative discharge kWh"},
      {"放电电量小计1标题", "放电电量小计1（kWh）", "Subtotal 1 discharge kWh"},
      {"放电电量小计2标题", "放电电量小计2（kWh）", "Subtotal 2 discharge kWh"},

      // In 总选择夹.
      {"设置提示信息标签", "保存设定后，请务必多次重新读取各个参数，仔细核对是否正确！",
       "After saving the settings, be sure to re read each parameter several times and carefully "
       "check whether it is correct!"},

      // In 方式1分组框.
      {"发送进入设定模式的按钮", "发进入设定模式的指令",
       "Send the instruction to enter the setting mode"},

      // In 参数标定选择夹.
      {"方式1分组框", "方式1", "Method 1"},
      {"方式2分组框", "方式2", "Method 2"},
      {"快捷设定分组框", "快捷设定", "Quick settings"},
      {"CAN数据调试分组框", "CAN数据调试", "CAN data debug"},
      {"单体电芯极限保护分组框", "单体电芯极限保护设定", "Cell limit protection setting"},
      {"单体电芯运行参数设定分组框", "单体电芯运行参数设定", "Cell run parameter setting"},
      {"充放电温度保护设定分组框", "充放电温度保护设定",
       "Charging and discharging temperature protection setting"},
      {"BIC连接设定分组框", "BIC连接设定", "BIC Connection setting"},
      {"热敏电阻类型设定分组框", "热敏电阻类型设定", "Thermistor type setting"},
      {"BIC从机设定分组框", "每个BIC的设定", "Setting of each BIC"},
      {"电流检测标定分组框", "电流检测标定", "Current detection and calibration"},
      {"总电压检测标定分组框", "总电压检测标定", "Total voltage detection and calibration"},
      {"容量参数分组框", "容量", "Capacity"},
      {"充电能力参数分组框", "充电接受能力", "Charge accept ability"},
      {"放电能力参数分组框", "放电输出能力", "Discharge output ability"},
      {"充放电唤醒设置分组框", "充放电唤醒设置", "Charge and discharge wakeup settings"},
      {"选装模块设置分组框", "选装模块", "Optional module"},
      {"蜂鸣器分组框", "蜂鸣器", "Buzzer"},

      // In 方式2分组框.
      {"方法2提示",
       "BMS的主机，有一个允许设定的小按钮。当按钮在按下保持期间，可以改动部分参数设定。具体细节请阅"
       "读说明文档。",
       "BMS Master, there is a small button to allow Settings. When the button is held down, you "
       "can change some parameter Settings. Please read the documentation for details."},

      // In CAN数据调试分组框.
      {"CAN数据接收标题标签", "CAN数据接收", "CAN data received"},
      {"前4字节标题标签", "前4字节", "byte 1~4"},
      {"后4字节标题标签", "后4字节", "byte 5~8"},
      {"CAN调试数据发送按钮", "发送", "Send"},

      // In 快捷设定分组框.
      {"磷酸铁锂按钮", "一键磷酸铁锂3.2V", "Quick LiFePO4 3.2V"},
      {"钛酸锂按钮", "一键钛酸锂2.3V", "Quick LpTO 2.3V"},
      {"三元按钮", "一键三元3.6V", "Quick NCM 3.6V"},
      {"聚合物按钮", "一键聚合物3.8V", "Quick LIP 3.8V"},
      {"超级电容按钮", "一键超级电容2.2V", "Quick Supercapacitor 2.2V"},
      {"钠离子按钮", "一键钠离子3.1V", "Quick Sodium-ion 3.1V"},
      {"参数配置文件按钮", "参数配置文件…", "Parameter profile…"},

      // In 单体电芯极限保护分组框.
      {"最高极限电压标记标签", "最高极限电压", "Maximum Limit Cell Voltage"},
      {"最低极限电压标记标签", "最低极限电压", "Minimum Limit Cell Voltage"},

      // In 单体电芯运行参数设定分组框.
      {"降电流充电电压标记标签", "降电流充电电压", "Decrease charge-current voltage"},
      {"降电流放电电压标记标签", "降电流放电电压", "Decrease discharge-current voltage"},
      {"充电终止电压标记标签", "充电终止电压", "Stop charge voltage"},
      {"恢复充电电压标记标签", "恢复充电电压", "Restore charge voltage"},
      {"开始均衡电压标记标签", "开始均衡电压", "Start Balance voltage"},
      {"恢复放电电压标记标签", "恢复放电电压", "Restore discharge voltage"},
      {"放电终止电压标记标签", "放电终止电压", "Stop discharge voltage"},
      {"均衡开启压差标记标签", "均衡开启压差", "Balance ON voltage diff"},

      // In 充放电温度保护设定分组框.
      {"充电高温保护标记标签", "充电高温保护", "Charge high temperature protection"},
      {"充电低温保护标记标签", "充电低温保护", "Charge low temperature protection"},
      {"放电高温保护标记标签", "放电高温保护", "Discharge high temperature protection"},
      {"放电低温保护标记标签", "放电低温保护", "Discharge low temperature protection"},
      {"温度恢复回差标记标签", "温度恢复回差", "Temperature recovery return-difference"},
      {"允许均衡温差标记标签", "允许均衡温差", "Allowable balance temperature-gap"},
      {"极限高温保护标记标签", "极限高温保护", "Max-highest temperature protection"},
      {"极限低温保护标记标签", "极限低温保护", "Min-lowest temperature protection"},
      {"降电流充电高温值标记标签", "降电流充电高温值", "High temperature decrease charge-current"},
      {"降电流充电低温值标记标签", "降电流充电低温值", "Low temperature decrease charge-current"},
      {"降电流放电高温值标记标签", "降电流放电高温值",
       "High temperature decrease discharge-current"},
      {"降电流放电低温值标记标签", "降电流放电低温值",
       "Low temperature decrease discharge-current"},

      // In BIC连接设定分组框.
      {"安装BIC数量标记标签", "安装BIC数量（个）", "Quantity of installed BICs"},
      {"BIC检测周期标记标签", "BIC检测周期（次）", "BIC test cycle"},

      // In 热敏电阻类型设定分组框.
      {"热敏电阻类型标记标签", "热敏电阻类型", "Thermistor type"},

      // In BIC从机设定分组框.
      {"BIC地址标记标签", "BIC地址", "BIC address"},
      {"安装单体数量标记标签", "安装的单体数量", "Quantity of installed cells"},
      {"温度传感器数量标记标签", "安装的温度传感器数量",
       "Quantity of installed temperature sensors"},
      {"指定BIC地址选择框", "指定BIC地址", "Specified BIC address"},
      {"指定BIC地址标题标签", "地址：", "Address:"},

      // In 电流检测标定分组框.
      {"选择BMC型号标记", "选择BMC版本", "Select BMC model"},
      {"传感器输出值标记", "传感器输出值", "Sensor output value"},
      {"总电流检测标定方式1标记标签", "方式1：标定传感器", "Method 1: calibrate the sensor"},
      {"总电流检测标定方式2标记标签", "方式2：步进微调", "Method 2: step fine adjustment"},
      {"核对电流量程标记标签", "核对电流量程", "Check current range"},
      {"电流检测标定按钮", "标定", "Calibration"},
      {"总电流检测步进微调加大按钮", "加大", "Increase"},
      {"总电流检测步进微调减小按钮", "减小", "Decrease"},
      {"电流传感器零位标记标签", "电流传感器零位", "Current sensor zero position"},
      {"自动设置电流传感器零位按钮", "自动", "Auto"},
      {"手动设置电流传感器零位按钮", "手动", "Manual"},

      // In 总电压检测标定分组框.
      {"扩展电阻标记", "扩展电阻", "Res-extend"},
      {"总电压检测标定方式1标签", "方式1：设置分压电阻比例", "Method 1:Calibrate dividing V Res"},
      {"总电压检测标定方式2标签", "方式2：步进微调", "Method 2: step fine adjustment"},
      {"核对总电压量程标签", "核对总电压量程", "Check total voltage range"},
      {"总电压检测标定按钮", "标定", "Calibration"},
      {"总电压检测步进微调加大按钮", "加大", "Increase"},
      {"总电压检测步进微调减小按钮", "减小", "Decrease"},
      {"修改内置分压电阻选择框", "更改内置电阻", "Change built-in Res"},

      // In 容量参数分组框.
      {"额定Ah容量标记标签", "额定Ah容量", "Rated Ah capacity"},
      {"额定总电压标记标签", "额定总电压", "Rated Total voltage"},

      // In 充电能力参数分组框.
      {"最高充电总电压标记标签", "最高充电总电压", "Maximum charge total voltage"},
      {"最大充电电流标记标签", "最大充电电流", "Maximum charge current"},
      {"最小充电电流标记标签", "最小充电电流", "Minimum charge current"},

      // In 放电能力参数分组框.
      {"最低放电总电压标记标签", "最低放电总电压", "Minimum discharge total voltage"},
      {"最大放电电流标记标签", "最大放电电流", "Maximum discharge current"},
      {"最小放电电流标记标签", "最小放电电流", "Minimum discharge current"},

      // In 分组框9.
      {"电池类型标记标签", "电池类型代码", "Battery type code"},

      // In 充放电唤醒设置分组框.
      {"单信号控制充放电标题标签", "单信号控制充电和放电程序",
       "One-signal control charge-discharge procedures"},
      {"如果不使用单信号控制充放电程序分组框", "如果不使用单信号控制充放电程序时",
       "If one-signal control charge-discharge procedure is not used"},

      // In 如果不使用单信号控制充放电程序分组框.
      {"自动开启放电标记标签", "自动开启放电", "Automatic start discharge"},
      {"放电唤醒信号标记标签", "放电唤醒信号", "Wakeup signal for discharge"},

      // In 蜂鸣器分组框.
      {"是否打开蜂鸣器标记标签", "是否打开蜂鸣器", "Whether to turn-ON buzzer"},

      // In 选装模块设置分组框.
      {"是否安装预充电模块标题标签", "是否安装预充电控制模块",
       "Whether to install pre-charge controller"},
      {"是否安装漏电检测模块标题标签", "是否安装漏电检测模块",
       "Whether to install Leakage detection module"},
      {"是否安装接触器烧结检测模块标题标签", "是否安装接触器烧结检测模块",
       "Whether to install Contactor sintering detection module"},

      // In 分组框13.
      {"国标充电设置页面标题标签",
       "需配套安装代号为K3391的控制模块。该模块可兼容《GB/T "
       "27930-2015》标准中的通信协议部分（中国的电动汽车充电技术标准）。",
       "Need add-install CCM-K3391 moudle.this module compatibility China electric vehicle charge "
       "standard GB/T 27930-2015"},
  };
  return kCaptions;
}

std::span<const PageCaption> PageCaptions() {
  static constexpr PageCaption kPages[] = {
      {"总选择夹", 1, "运行监视", "Run Monitoring"},
      {"总选择夹", 2, "数据查询", "Data Query"},
      {"总选择夹", 3, "参数标定", "Parameter Calibration"},
      {"总选择夹", 4, "关于本软件", "About this software"},
      {"运行信息选择夹", 1, "运行信息", "Run Info"},
      {"运行信息选择夹", 2, "附加信息", "Append Info"},
      {"运行信息选择夹", 3, "控制", "Control"},
      {"运行信息选择夹", 4, "访问密码", "Access password"},
      {"数据查询分页选择夹", 1, "数据记录", "Data record"},
      {"参数标定选择夹", 1, "允许设定", "Allow set"},
      {"参数标定选择夹", 2, "单体电压", "Cell Voltage"},
      {"参数标定选择夹", 3, "温度", "Temperature"},
      {"参数标定选择夹", 4, "BIC", "BIC"},
      {"参数标定选择夹", 5, "功率表", "Power meter"},
      {"参数标定选择夹", 6, "整组设置", "Pack set"},
      {"参数标定选择夹", 7, "特性", "Characteristic"},
      {"参数标定选择夹", 8, "信号", "Signal"},
      {"参数标定选择夹", 9, "GB/T直流充电", "GB/T DC Charge"},
  };
  return kPages;
}

std::span<const ToolTip> ControlToolTips() {
  static constexpr ToolTip kToolTips[] = {
      // Buttons that show a symbol.
      {"上一个BIC按钮", "上一个BIC", "Previous BIC"},
      {"下一个BIC按钮", "下一个BIC", "Next BIC"},

      // Run monitoring.
      English("充放电预计时间标签", "Estimated time until the pack is full or empty"),
      English("读最高最低电压温度所在位置按钮",
              "Read: where the highest and lowest cell voltage and temperature are"),
      English("读最高最低BIC温度位置按钮",
              "Read: which BICs have the highest and lowest board temperature"),

      // Rows of the Control page, laid out like parameter rows.
      English("限制充电百分比标记标签", "Limit the charge percentage"),
      English("限制最大放电电流标记标签", "Limit the maximum discharge current"),
      English("限制放电百分比标记标签", "Limit the discharge percentage"),
      English("读取最小充电电流按钮1", kNoActionYet),
      English("保存最小充电电流按钮1", kNoActionYet),
      English("读取最大充电电流按钮2", kNoActionYet),
      English("保存最大充电电流按钮2", kNoActionYet),
      English("读取最小充电电流按钮2", kNoActionYet),
      English("保存最小充电电流按钮2", kNoActionYet),
      English("读取最小充电电流按钮3", kNoActionYet),
      English("保存最小充电电流按钮3", kNoActionYet),

      // Factory functions, shown only with the factory marker file.
      English("打开出厂标定功能按钮", "Factory calibration: opens its window"),
      English("BIC校准按钮", "BIC calibration: opens its window"),

      // BIC rows.
      English("BIC断线故障压差标记标签", "BIC disconnection fault voltage difference"),
      English("读BIC检测周期按钮1", kNoActionYet),
      English("保存BIC检测周期按钮1", kNoActionYet),
      English("BIC断线预警压差标记标签", "BIC disconnection warning voltage difference"),
      English("读BIC检测周期按钮2", kNoActionYet),
      English("保存BIC检测周期按钮2", kNoActionYet),

      // SOC row of the pack page.
      English("额定容量标记标签1", "Calibrated state of charge, in %"),
      English("保存额定容量按钮1", kNoActionYet),

      // GB/T DC charging: the pages of the module's panel.
      English("国标充电设置项目选择夹.基础设置", "Basic settings"),
      English("国标充电设置项目选择夹.运行信息", "Running information"),
      English("国标充电设置项目选择夹.重要声明", "Important notice"),

      // GB/T DC charging: settings of the module.
      English("测量电流值来源标记标签", "Source of the measured charging current"),
      English("读测量电流值来源按钮", "Read the source of the measured current"),
      English("测量电流值来源选择组合框",
              "00: the charger's measurement; 01: the separate current sensor; 02: the BMC's "
              "measurement"),
      English("保存测量电流值来源按钮", "Save the source of the measured current"),
      English("报告给充电机最高的SOC标记标签", "Highest SOC reported to the charger, 0 to 100 %"),
      English("读报告给充电机最高的SOC按钮", "Read the highest SOC reported to the charger"),
      English("保存报告给充电机最高的SOC按钮", "Save the highest SOC reported to the charger"),
      English("充电插座温度保护值标记标签", "Charging socket temperature protection, 0 to 95 °C"),
      English("读充电插座温度保护值按钮", "Read the socket temperature protection"),
      English("保存充电插座温度保护值按钮", "Save the socket temperature protection"),
      English("充电插座温度预警值标记标签", "Charging socket temperature warning, 0 to 95 °C"),
      English("读充电插座温度预警值按钮", "Read the socket temperature warning"),
      English("保存充电插座温度预警值按钮", "Save the socket temperature warning"),
      English("充电插座温度传感器数量标记标签", "Number of charging socket temperature sensors"),
      English("读充电插座温度传感器数量按钮", "Read the number of socket temperature sensors"),
      English("充电插座温度传感器数量选择组合框", "No sensor, 1 sensor or 2 sensors"),
      English("保存充电插座温度传感器数量按钮", "Save the number of socket temperature sensors"),

      // GB/T DC charging: the DC port's own current sensor.
      English("总电流检测标定分组框1", "Calibration of the DC port's separate current sensor"),
      English("直流充电口选择型号标记标签", "Select the sensor model"),
      English("直流充电口传感器输出值标记标签", "Sensor output value"),
      English("直流充电口电流检测标定方式1标记标签", "Method 1: calibrate the sensor"),
      English("直流充电口电流检测标定按钮", "Calibrate"),
      English("直流充电口电流检测标定方式2标记标签", "Method 2: step fine adjustment"),
      English("直流充电口电流检测步进微调加大按钮", "Increase"),
      English("直流充电口电流检测步进微调减小按钮", "Decrease"),
      English("直流充电口核对电流量程标记标签", "Check the current range"),
      English("直流充电口读电流量程按钮", "Read the current range"),
      English("独立的直流充电口电流检测标定界面_实时电流值标题标签", "Live current"),
      English("读直流充电口独立电流检测标定界面_实时电流值按钮", "Read the live current"),
      English("直流充电口电流传感器零位标记标签", "Current sensor zero position"),
      English("直流充电口读电流传感器零位按钮", "Read the zero position"),
      English("直流充电口自动设置电流传感器零位按钮", "Set the zero position automatically"),
      English("直流充电口手动设置电流传感器零位按钮", "Set the zero position by hand"),

      // GB/T DC charging: what the module reports.
      English("直流充电界面BMS当前电压标题标签", "Present pack voltage"),
      English("直流充电界面BMS当前电流标题标签", "Present pack current"),
      English("直流充电界面电池组当前功率标题标签", "Present pack power"),
      English("充电机最高输出电压标记标签", "Charger's highest output voltage"),
      English("读充电机最高输出电压按钮", "Read the charger's highest output voltage"),
      English("充电机最低输出电压标记标签", "Charger's lowest output voltage"),
      English("读充电机最低输出电压按钮", "Read the charger's lowest output voltage"),
      English("充电机最大输出电流标记标签", "Charger's largest output current"),
      English("读充电机最大输出电流按钮", "Read the charger's largest output current"),
      English("充电机最小输出电流标记标签", "Charger's smallest output current"),
      English("读充电机最小输出电流按钮", "Read the charger's smallest output current"),
      English("充电机报告当前输出电压标记标签", "Output voltage the charger reports now"),
      English("读充电机报告当前输出电压按钮", "Read the charger's present output voltage"),
      English("充电机报告当前输出电流标记标签", "Output current the charger reports now"),
      English("读充电机报告当前输出电流按钮", "Read the charger's present output current"),
      English("充电机报告当前暂停状态标记标签", "Whether the charger reports charging paused"),
      English("读充电机报告当前暂停状态按钮", "Read whether charging is paused"),
      English("控制充电机暂停充电按钮", "Pause charging"),
      English("控制充电机继续充电按钮", "Continue charging"),
      English("充电机12V供电电压标记标签", "Charger's 12 V supply voltage"),
      English("读充电机12V供电电压按钮", "Read the charger's 12 V supply voltage"),
      English("直流充电插座温度值标记标签", "DC charging socket temperatures"),
      English("读直流充电插座温度值按钮", "Read the socket temperatures"),
      English("直流充电口电流检测值标记标签", "Current measured at the DC port"),
      English("读直流充电口电流检测值按钮", "Read the current measured at the DC port"),
      English("复位充电故障状态按钮", "Reset the charging fault state"),

      // GB/T DC charging: the notice.
      English("编辑框2",
              "Set every other parameter before this page. The charger and its connector must "
              "follow GB/T 20234.3-2015 and GB/T 27930-2015; made for electric vehicles, they "
              "may serve other uses where suitable. The parts are not certified for any "
              "industry: the builder of a battery system certifies it and answers for it."),
  };
  return kToolTips;
}

}  // namespace bms::app
