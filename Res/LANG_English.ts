<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="zh_CN">
    <context>
        <name>Function_One</name>
        <message>
            <source>Warning</source>
            <translation>Warning</translation>
        </message>
    </context>
    <context>
        <name>MainWindow</name>
        <message>
            <source>  打开</source>
            <translation>  Open</translation>
        </message>
        <message>
            <source>  保存</source>
            <translation>  Save</translation>
        </message>
        <message>
            <source>  关于</source>
            <translation>  About</translation>
        </message>
        <message>
            <source>  帮助</source>
            <translation>  Help Book</translation>
        </message>
        <message>
            <source>  另存</source>
            <translation>  Save as</translation>
        </message>
        <message>
            <source>  固件</source>
            <translation>  Firmware</translation>
        </message>
        <message>
            <source>  更新</source>
            <translation>  Update</translation>
        </message>
        <message>
            <source>          中文         </source>
            <translation>        English       </translation>
        </message>
        <message>
            <source>  语言</source>
            <translation>  Language</translation>
        </message>
    </context>
    <context>
        <name>QObject</name>
        <message>
            <source>小票内容设置</source>
            <translation>Ticket setting</translation>
        </message>
        <message>
            <source>帮助</source>
            <translation>Help</translation>
        </message>
        <message>
            <source>版本更新说明</source>
            <translation>Update description</translation>
        </message>
        <message>
            <source>设备连接发生异常请关闭所有操作并保持电脑和设备的可靠连接！</source>
            <translation>The device sends an exception. Please close all operations and maintain reliable connections between computers and devices!</translation>
        </message>
        <message>
            <source>点我^.^添加小票页面内容</source>
            <translation>^.^ Click me to add the contents of the small ticket page.</translation>
        </message>
        <message>
            <source>点我^.^写入小票页面内容到管理机</source>
            <translation>^.^ Click me to write the small ticket page to the device.</translation>
        </message>
        <message>
            <source>连接设备</source>
            <translation>Connection</translation>
        </message>
        <message>
            <source>点我^.^连接管理机 管理机名字一般以"Prolific"开头</source>
            <translation>^.^ Click on my device name to start with "Prolific".</translation>
        </message>
        <message>
            <source>类型设置</source>
            <translation>Type setting</translation>
        </message>
        <message>
            <source>类型一:</source>
            <translation>Type 1:</translation>
        </message>
        <message>
            <source>类型二:</source>
            <translation>Type 2:</translation>
        </message>
        <message>
            <source>类型三:</source>
            <translation>Type 3:</translation>
        </message>
        <message>
            <source>类型四:</source>
            <translation>Type 4:</translation>
        </message>
        <message>
            <source>类型五:</source>
            <translation>Type 5:</translation>
        </message>
        <message>
            <source>单  击:</source>
            <translation>Click:</translation>
        </message>
        <message>
            <source>设置</source>
            <translation>Setting</translation>
        </message>
        <message>
            <source>点我^.^写入小票各类型名字到管理机</source>
            <translation>^.^ Click me to write type to device.</translation>
        </message>
        <message>
            <source>系统参数设置</source>
            <translation>System parameters setting</translation>
        </message>
        <message>
            <source>点我^.^写入系统参数到管理机</source>
            <translation>^.^ Click me to write the system parameters to the device.</translation>
        </message>
        <message>
            <source>禁止</source>
            <translation>DISABLE</translation>
        </message>
        <message>
            <source>网络ID设置</source>
            <translation>Network ID</translation>
        </message>
        <message>
            <source>自动清号设置</source>
            <translation>Clear Number</translation>
        </message>
        <message>
            <source>同步重启设置</source>
            <translation>Synchro Reset</translation>
        </message>
        <message>
            <source>允许</source>
            <translation>ENABLE</translation>
        </message>
        <message>
            <source>取号器配对</source>
            <translation>Pair Mode</translation>
        </message>
        <message>
            <source>取号类型选择</source>
            <translation>Type Choose</translation>
        </message>
        <message>
            <source>添加取号器</source>
            <translation>Addition</translation>
        </message>
        <message>
            <source>删除取号器</source>
            <translation>Delete</translation>
        </message>
        <message>
            <source>点我^.^添加取号器类型</source>
            <translation>^.^ Click me to add the number type.</translation>
        </message>
        <message>
            <source>其他设置</source>
            <translation>Others setting</translation>
        </message>
        <message>
            <source>同步时间</source>
            <translation>Sync time</translation>
        </message>
        <message>
            <source>点我^.^同步系统时间到管理机</source>
            <translation>^.^ Click me to synchronize system time to device.</translation>
        </message>
        <message>
            <source>恢复出厂设置</source>
            <translation>Restore Settings</translation>
        </message>
        <message>
            <source>点我^.^管理机恢复出厂设置 需谨慎</source>
            <translation>^.^ Click on me to resume the factory settings.</translation>
        </message>
        <message>
            <source>连接状态:---</source>
            <translation>State: ---</translation>
        </message>
        <message>
            <source>固件版本号:---</source>
            <translation>Version: ---</translation>
        </message>
        <message>
            <source>连接错误请检查端口号是否正确....</source>
            <translation>Connection error check if the port number is correct...</translation>
        </message>
        <message>
            <source>断开设备</source>
            <translation>Disconnect</translation>
        </message>
        <message>
            <source>连接状态:在线</source>
            <translation>State:Normal</translation>
        </message>
        <message>
            <source>固件版本号:</source>
            <translation>Version:</translation>
        </message>
        <message>
            <source>禁止使用特殊符号"+"请重新输入</source>
            <translation>Prohibit the use of special symbols"+"</translation>
        </message>
        <message>
            <source>正在解析小票页面内容.......</source>
            <translation>Analyzing small ticket page....</translation>
        </message>
        <message>
            <source>正在解析类型名字内容.......</source>
            <translation>Parsing name of type....</translation>
        </message>
        <message>
            <source>正在解析系统参数.......</source>
            <translation>Parsing system parameters....</translation>
        </message>
        <message>
            <source>正在获取系统时间.......</source>
            <translation>Getting system time....</translation>
        </message>
        <message>
            <source>正在恢复系统出厂设置.......</source>
            <translation>Restoring factory settings....</translation>
        </message>
        <message>
            <source>当前没有要发送的数据已停止通信....</source>
            <translation>No data has stopped communication....</translation>
        </message>
        <message>
            <source>共有 </source>
            <translation>Share </translation>
        </message>
        <message>
            <source> 参数需要发送正在建立通信......</source>
            <translation> Parameters need to be sent....</translation>
        </message>
        <message>
            <source>正在发送 </source>
            <translation>Being sent </translation>
        </message>
        <message>
            <source> 条内容......</source>
            <translation> bar content....</translation>
        </message>
        <message>
            <source>发送完成已停止通信.....</source>
            <translation>Sending completed communication has stopped....</translation>
        </message>
    </context>
</TS>
