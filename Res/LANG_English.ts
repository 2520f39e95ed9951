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
        <name>QDialg_add_Line</name>
        <message>
            <source>Warning</source>
            <translation>Warning</translation>
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
        <message>
            <source>增加小票内容</source>
            <translation>Add ticket contents</translation>
        </message>
        <message>
            <source>格式错误</source>
            <translation>Formatting error</translation>
        </message>
        <message>
            <source>或者文件可能已经损坏!!!</source>
            <translation>or the file may have been damaged!!!</translation>
        </message>
        <message>
            <source>对齐方式</source>
            <translation>Alignment</translation>
        </message>
        <message>
            <source>左对齐</source>
            <translation>Left</translation>
        </message>
        <message>
            <source>居中</source>
            <translation>Middle</translation>
        </message>
        <message>
            <source>右对齐</source>
            <translation>Right</translation>
        </message>
        <message>
            <source>实时同步预览使能</source>
            <translation>Synchronous preview enable</translation>
        </message>
        <message>
            <source>字号:</source>
            <translation>SIZE:</translation>
        </message>
        <message>
            <source>类型:</source>
            <translation>TYPE:</translation>
        </message>
        <message>
            <source>用英文下的":"代替人数</source>
            <translation>Use ":" instead of number</translation>
        </message>
        <message>
            <source>普通文本</source>
            <translation>Ordinary text</translation>
        </message>
        <message>
            <source>小票类型</source>
            <translation>Ticket type</translation>
        </message>
        <message>
            <source>时间类型</source>
            <translation>Time type</translation>
        </message>
        <message>
            <source>剩余人数</source>
            <translation>Residual type</translation>
        </message>
        <message>
            <source>第1行</source>
            <translation>NO.1 Line</translation>
        </message>
        <message>
            <source>第2行</source>
            <translation>NO.2 Line</translation>
        </message>
        <message>
            <source>第3行</source>
            <translation>NO.3 Line</translation>
        </message>
        <message>
            <source>第4行</source>
            <translation>NO.4 Line</translation>
        </message>
        <message>
            <source>第5行</source>
            <translation>NO.5 Line</translation>
        </message>
        <message>
            <source>第6行</source>
            <translation>NO.6 Line</translation>
        </message>
        <message>
            <source>第7行</source>
            <translation>NO.7 Line</translation>
        </message>
        <message>
            <source>第8行</source>
            <translation>NO.8 Line</translation>
        </message>
        <message>
            <source>第9行</source>
            <translation>NO.9 Line</translation>
        </message>
        <message>
            <source>第10行</source>
            <translation>NO.10 Line</translation>
        </message>
        <message>
            <source>不添加空行</source>
            <translation>None</translation>
        </message>
        <message>
            <source>空1行</source>
            <translation>Skip 1 Line</translation>
        </message>
        <message>
            <source>空2行</source>
            <translation>Skip 2 Lines</translation>
        </message>
        <message>
            <source>空3行</source>
            <translation>Skip 3 Lines</translation>
        </message>
        <message>
            <source>小字体</source>
            <translation>Small fonts</translation>
        </message>
        <message>
            <source>大字体</source>
            <translation>Big fonts</translation>
        </message>
        <message>
            <source>添加</source>
            <translation>Addition</translation>
        </message>
        <message>
            <source>清除所有</source>
            <translation>Clear all</translation>
        </message>
        <message>
            <source>警告：程序正在运行退出后是否要保存配置文件?</source>
            <translation>Warning:Do you want to save the configuration file and exit?</translation>
        </message>
        <message>
            <source>退出程序</source>
            <translation>Exit procedure</translation>
        </message>
        <message>
            <source>               系统文件可能已经损坏...             </source>
            <translation>        The system file may have been damaged....</translation>
        </message>
        <message>
            <source>配置文件保存失败,原文件未改动:</source>
            <translation>The settings file could not be saved; the previous file is unchanged:</translation>
        </message>
        <message>
            <source>类型</source>
            <translation>TYPE </translation>
        </message>
        <message>
            <source>请选择类型点击添加后按住取号器上的按键...</source>
            <translation>Please select and click Add button...</translation>
        </message>
        <message>
            <source>添 加</source>
            <translation>Addition</translation>
        </message>
        <message>
            <source>添加类型:</source>
            <translation>Add Type:</translation>
        </message>
        <message>
            <source>请选择需要删除的类型点击删除...</source>
            <translation>Please select and click Delete key...</translation>
        </message>
        <message>
            <source>删除</source>
            <translation>Delete</translation>
        </message>
        <message>
            <source>删除类型:</source>
            <translation>Delete type</translation>
        </message>
        <message>
            <source>自动切换:</source>
            <translation>Auto grow:</translation>
        </message>
        <message>
            <source>选中后配对成功后会自动跳转下一个类型</source>
            <translation>After successful pairing, the next type will automatically jump</translation>
        </message>
        <message>
            <source>类型 </source>
            <translation>TYPE </translation>
        </message>
        <message>
            <source>匹配成功.</source>
            <translation> Pairing success.</translation>
        </message>
        <message>
            <source>此叫号器已经与类型 </source>
            <translation>This device has been combined with </translation>
        </message>
        <message>
            <source> 配对...</source>
            <translation> Pair...</translation>
        </message>
        <message>
            <source>已经删除全部类型.</source>
            <translation>All types have been deleted.</translation>
        </message>
        <message>
            <source>删除成功.</source>
            <translation>Delete success.</translation>
        </message>
        <message>
            <source>更新固件</source>
            <translation>Update</translation>
        </message>
        <message>
            <source>打开固件</source>
            <translation>Open package</translation>
        </message>
        <message>
            <source>请确认是否已经连接设备,并且已经进入升级模式...</source>
            <translation>Please confirm the connection device and enter the upgrade mode...</translation>
        </message>
        <message>
            <source>固件加载完成: </source>
            <translation>Update package loading completed:</translation>
        </message>
        <message>
            <source>固件文件超过51200字节,未加载: </source>
            <translation>The file is larger than 51200 bytes and was not loaded: </translation>
        </message>
        <message>
            <source>固件文件无法读取,未加载.....</source>
            <translation>The file could not be read and was not loaded.....</translation>
        </message>
        <message>
            <source>请选择并打开要更新的固件.....</source>
            <translation>Please select and open firmware to update....</translation>
        </message>
        <message>
            <source>发生异常错误请重新尝试.....</source>
            <translation>An error occurred. Please try again....</translation>
        </message>
        <message>
            <source>正在请求升级等待响应...</source>
            <translation>Requesting upgrade to wait for response...</translation>
        </message>
        <message>
            <source>响应超时请重新尝试.....</source>
            <translation>Try again after responding to timeout...</translation>
        </message>
        <message>
            <source>升级完成5s后进入主程序...</source>
            <translation>Upgrade completed 5 seconds after entering the main program...</translation>
        </message>
        <message>
            <source>升级包存在异常升级失败请检查后重新尝试...</source>
            <translation>Upgrade package exception. Please try again after checking...</translation>
        </message>
        <message>
            <source>系统已经进入升级模式....</source>
            <translation>The system has entered the upgrade mode...</translation>
        </message>
        <message>
            <source>系统已经进入正常模式系统版本:</source>
            <translation>System started normal operation version number:</translation>
        </message>
        <message>
            <source>固件正在传输,不能更换固件.....</source>
            <translation>A transfer is running, the firmware cannot be changed now.....</translation>
        </message>
        <message>
            <source>语言设置无法保存:</source>
            <translation>The language setting cannot be saved:</translation>
        </message>
        <message>
            <source>可以用"另存"保存到其他文件夹.</source>
            <translation>Use "Save as" to save it in another folder.</translation>
        </message>
        <message>
            <source>无法打开此文件, 请手动打开:</source>
            <translation>No program here opens this file; open it yourself:</translation>
        </message>
        <message>
            <source>没有使用此端口的权限: 请把用户加入 "%1" 组 (sudo usermod -aG %1 $USER), 然后重新登录.</source>
            <translation>You may not use this port: add yourself to the group "%1" (sudo usermod -aG %1 $USER), then log in again.</translation>
        </message>
        <message>
            <source>管理机没有应答,请检查电源和连接线.....</source>
            <translation>The unit does not answer. Check its power and the cable.....</translation>
        </message>
        <message>
            <source>关闭</source>
            <translation>Close</translation>
        </message>
        <message>
            <source>是</source>
            <translation>Yes</translation>
        </message>
        <message>
            <source>否</source>
            <translation>No</translation>
        </message>
        <message>
            <source>恢复出厂设置会清除管理机上的全部设置, 确定要恢复吗?</source>
            <translation>Restoring the factory settings erases every setting of the unit. Restore them?</translation>
        </message>
        <message>
            <source>第 %1 条命令 %2 秒没有应答: 请检查管理机的电源, 连接线和端口; 应答到达后继续发送.</source>
            <translation>Command %1 has had no answer for %2 s: check the unit's power, the cable and the port; sending goes on when the answer comes.</translation>
        </message>
        <message>
            <source>状态:无应答</source>
            <translation>No answer</translation>
        </message>
        <message>
            <source>配置文件没有打开, 页面没有改动:</source>
            <translation>The settings file was not opened, the page is unchanged:</translation>
        </message>
        <message>
            <source>(原文件可能已损坏)</source>
            <translation>(the old file may be damaged)</translation>
        </message>
        <message>
            <source>文件太大: %1 字节, 最多 %2 字节</source>
            <translation>The file is too large: %1 bytes, at most %2 bytes</translation>
        </message>
        <message>
            <source>文件无法读取 (没有权限或读取出错)</source>
            <translation>The file cannot be read (no permission or a read error)</translation>
        </message>
        <message>
            <source>文件是空的</source>
            <translation>The file is empty</translation>
        </message>
        <message>
            <source>文件没有写完整</source>
            <translation>The file was not written completely</translation>
        </message>
        <message>
            <source>此端口正被其他程序使用 (进程 %1), 请先关闭那个程序.</source>
            <translation>Another program uses this port (process %1); close that program first.</translation>
        </message>
        <message>
            <source>此端口正被其他程序使用, 请先关闭那个程序.</source>
            <translation>Another program uses this port; close that program first.</translation>
        </message>
        <message>
            <source>没有使用此端口的权限, 请联系系统管理员.</source>
            <translation>You may not use this port; ask your system administrator.</translation>
        </message>
        <message>
            <source>没有找到此文件</source>
            <translation>This file was not found</translation>
        </message>
        <message>
            <source>端口 %1 已不存在: 设备可能已被拔出.</source>
            <translation>The port disappeared (%1): the device may have been unplugged.</translation>
        </message>
        <message>
            <source>端口已不存在: 设备可能已被拔出, 请重新插入后再选择端口.</source>
            <translation>The port has disappeared: the device may have been unplugged; plug it in again and choose the port.</translation>
        </message>
        <message>
            <source>这不是普通文件 (设备或管道), 不能保存到这里</source>
            <translation>This is no regular file (a device or a pipe); nothing can be saved here</translation>
        </message>
        <message>
            <source>这不是普通文件 (设备或管道), 不能读取</source>
            <translation>This is no regular file (a device or a pipe) and is not read</translation>
        </message>
        <message>
            <source>这不是配置文件</source>
            <translation>This is not a settings file</translation>
        </message>
        <message>
            <source>这是一个文件夹, 不是文件</source>
            <translation>This is a folder, not a file</translation>
        </message>
        <message>
            <source>这是其他用户放在共享文件夹里的链接, 不会跟随它保存</source>
            <translation>This is another user's link in a shared folder; the save does not follow it</translation>
        </message>
        <message>
            <source>地址无效 (%1): %2</source>
            <translation>Not a valid address (%1): %2</translation>
        </message>
        <message>
            <source>只支持 rfc2217://, socket://, rfc2217+tls:// 和 socket+tls://</source>
            <translation>Only rfc2217://, socket://, rfc2217+tls:// and socket+tls:// are supported</translation>
        </message>
        <message>
            <source>需要主机和端口号 1 到 65535, 例如 rfc2217://192.168.1.20:7001</source>
            <translation>A host and a port number from 1 to 65535 are needed, e.g. rfc2217://192.168.1.20:7001</translation>
        </message>
        <message>
            <source>方括号里须是 IPv6 地址</source>
            <translation>Only an IPv6 address goes in brackets</translation>
        </message>
        <message>
            <source>主机名无效; IPv6 地址须写在方括号里</source>
            <translation>Not a valid host name; write an IPv6 address in brackets</translation>
        </message>
        <message>
            <source>选项 %1 只用于 TLS 地址 (+tls)</source>
            <translation>The option %1 is only for TLS addresses (+tls)</translation>
        </message>
        <message>
            <source>未知选项 %1</source>
            <translation>Unknown option %1</translation>
        </message>
        <message>
            <source>客户端证书需要 cert= 和 key= 两个文件</source>
            <translation>A client certificate needs both cert= and key=</translation>
        </message>
        <message>
            <source>连接超时: %1 在 %2 秒内没有应答</source>
            <translation>Timed out: %1 did not answer within %2 seconds</translation>
        </message>
        <message>
            <source>找不到主机: %1</source>
            <translation>Host not found: %1</translation>
        </message>
        <message>
            <source>连接被拒绝: %1 (服务器没有在此端口上运行?)</source>
            <translation>Connection refused: %1 (is the server running on this port?)</translation>
        </message>
        <message>
            <source>服务器关闭了连接: %1</source>
            <translation>The server closed the connection: %1</translation>
        </message>
        <message>
            <source>网络连接失败: %1: %2</source>
            <translation>Network connection failed: %1: %2</translation>
        </message>
        <message>
            <source>此电脑上没有 TLS 库 (OpenSSL)</source>
            <translation>This PC has no TLS library (OpenSSL)</translation>
        </message>
        <message>
            <source>TLS 验证失败: %1 的证书 "%2": %3</source>
            <translation>TLS verification failed: the certificate "%2" of %1: %3</translation>
        </message>
        <message>
            <source>页面</source>
            <translation>Pages</translation>
        </message>
        <message>
            <source>打开视频教程</source>
            <translation>Open the video tutorial</translation>
        </message>
        <message>
            <source>点我^.^打开视频教程</source>
            <translation>Click to open the video tutorial</translation>
        </message>
        <message>
            <source>版本更新记录</source>
            <translation>Release notes</translation>
        </message>
        <message>
            <source>添加小票内容</source>
            <translation>Add a ticket line</translation>
        </message>
        <message>
            <source>写入小票内容</source>
            <translation>Write the ticket page</translation>
        </message>
        <message>
            <source>小票预览</source>
            <translation>Ticket preview</translation>
        </message>
        <message>
            <source>端口</source>
            <translation>Port</translation>
        </message>
        <message>
            <source>端口名称</source>
            <translation>Port name</translation>
        </message>
        <message>
            <source>设置类型名称</source>
            <translation>Set type names</translation>
        </message>
        <message>
            <source>设置系统参数</source>
            <translation>Set system parameters</translation>
        </message>
        <message>
            <source>设置取号器配对</source>
            <translation>Set dispenser pairing</translation>
        </message>
        <message>
            <source>通信记录</source>
            <translation>Communication log</translation>
        </message>
        <message>
            <source>行</source>
            <translation>Line</translation>
        </message>
        <message>
            <source>内容</source>
            <translation>Contents</translation>
        </message>
        <message>
            <source>空行</source>
            <translation>Blank lines</translation>
        </message>
        <message>
            <source>升级记录</source>
            <translation>Upgrade log</translation>
        </message>
        <message>
            <source>实时预览</source>
            <translation>Live preview</translation>
        </message>
        <message>
            <source>写</source>
            <translation>Write</translation>
        </message>
        <message>
            <source>已保存:</source>
            <translation>Saved:</translation>
        </message>
        <message>
            <source>类型名称最多%1字节(一个汉字占2字节), 多出的部分不会发送: "%2"</source>
            <translation>A type name takes at most %1 bytes (2 for a Chinese character); this part is not sent: "%2"</translation>
        </message>
        <message>
            <source>升级进度</source>
            <translation>Upgrade progress</translation>
        </message>
        <message>
            <source>已发送 %1/%2 包</source>
            <translation>Sent %1 of %2 packages</translation>
        </message>
        <message>
            <source>剩余约 %1 秒</source>
            <translation>About %1 s left</translation>
        </message>
        <message>
            <source>配置文件缺少 %1, 按空值或 0 载入, 文件没有改写: %2</source>
            <translation>The settings file lacks %1; loaded as empty or 0, the file was not rewritten: %2</translation>
        </message>
        <message>
            <source>键 %1 的值是 %2(...) 形式的数据, 配置文件只存文字和数字</source>
            <translation>The key %1 holds a %2(...) value; a settings file holds only text and numbers</translation>
        </message>
        <message>
            <source>保存时文件或文件夹被换掉了, 没有写入</source>
            <translation>The file or its folder was replaced during the save; nothing was written</translation>
        </message>
        <message>
            <source>name= 须是证书上的主机名</source>
            <translation>name= must be the host name on the certificate</translation>
        </message>
        <message>
            <source>管理机位置: %1</source>
            <translation>The unit is at: %1</translation>
        </message>
        <message>
            <source>%1: 在网络上发现, 主机 %2</source>
            <translation>%1: found on the network, host %2</translation>
        </message>
        <message>
            <source>证书按系统的证书库验证 (还没有输入过带 ca= 的 TLS 地址)</source>
            <translation>Its certificate is checked against the system's store (no TLS address with ca= typed yet)</translation>
        </message>
        <message>
            <source>证书须由最后输入的 TLS 地址的 ca= 签发: %1</source>
            <translation>Its certificate must come from the ca= of the last TLS address typed: %1</translation>
        </message>
        <message>
            <source>地址不能带片段 "%1"</source>
            <translation>an address has no fragment: "%1"</translation>
        </message>
        <message>
            <source>地址不能带用户名 "%1"</source>
            <translation>an address has no user name: "%1"</translation>
        </message>
        <message>
            <source>选项名是空的: "%1"</source>
            <translation>an option without a name: "%1"</translation>
        </message>
        <message>
            <source>选项 %1 出现了两次</source>
            <translation>the option %1 is given twice</translation>
        </message>
        <message>
            <source>选项 %1 只能写成 %1 或 %1=1</source>
            <translation>the option %1 is written %1 or %1=1</translation>
        </message>
        <message>
            <source>选项 %1= 是空的</source>
            <translation>the option %1= is empty</translation>
        </message>
        <message>
            <source>服务器的证书没有验证 (insecure)</source>
            <translation>the server's certificate is NOT verified (insecure)</translation>
        </message>
        <message>
            <source>TLS 握手超时: %1 在 %2 秒内没有完成 TLS 握手 (它是 TLS 服务器吗?)</source>
            <translation>TLS handshake timed out: %1 did not complete it within %2 s (is it a TLS server?)</translation>
        </message>
        <message>
            <source>不能通过此连接升级固件: 服务器使用 telnet, 会改动固件里的 0xFF 字节; 请用 rfc2217:// 地址</source>
            <translation>No firmware update over this link: the server speaks telnet and would change the image's 0xFF bytes; use an rfc2217:// address</translation>
        </message>
        <message>
            <source>此服务器使用 telnet: 请用 rfc2217:// 地址</source>
            <translation>this server speaks telnet: use rfc2217://</translation>
        </message>
        <message>
            <source>TLS 握手失败: %1: %2</source>
            <translation>TLS handshake failed: %1: %2</translation>
        </message>
        <message>
            <source>客户端证书或私钥不能使用: %1</source>
            <translation>The client certificate or key cannot be used: %1</translation>
        </message>
        <message>
            <source>%1: 文件不存在</source>
            <translation>%1: the file does not exist</translation>
        </message>
        <message>
            <source>%1: 不是普通的 PEM 文件</source>
            <translation>%1: not a regular PEM file</translation>
        </message>
        <message>
            <source>%1: 无法读取 (%2)</source>
            <translation>%1: cannot be read (%2)</translation>
        </message>
        <message>
            <source>%1: 不是 PEM 文件</source>
            <translation>%1: not a PEM file</translation>
        </message>
        <message>
            <source>CA 文件</source>
            <translation>CA file</translation>
        </message>
        <message>
            <source>%1: 不是 PEM 格式的证书</source>
            <translation>%1: holds no PEM certificate</translation>
        </message>
        <message>
            <source>客户端证书</source>
            <translation>Client certificate</translation>
        </message>
        <message>
            <source>客户端私钥</source>
            <translation>Client key</translation>
        </message>
        <message>
            <source>%1: 其他用户可以读取此私钥, 所以不使用它; 请执行 chmod 600 %2</source>
            <translation>%1: other users can read this private key, so it is not used; run chmod 600 %2</translation>
        </message>
        <message>
            <source>%1: 同组用户可以读取此私钥 (chmod 600 %2 可以避免)</source>
            <translation>%1: users of the file's group can read this private key (chmod 600 %2 stops that)</translation>
        </message>
        <message>
            <source>%1: 私钥有密码保护, 本程序不支持; 请用 openssl pkey -in %2 -out 新文件 去掉密码</source>
            <translation>%1: the private key is protected by a passphrase, which is not supported; remove it with openssl pkey -in %2 -out NEW-FILE</translation>
        </message>
        <message>
            <source>%1: 不是可用的 PEM 私钥 (支持 RSA, EC 和 DSA)</source>
            <translation>%1: holds no usable PEM private key (RSA, EC and DSA keys are)</translation>
        </message>
        <message>
            <source>%1: 私钥与证书 %2 不匹配</source>
            <translation>%1: the private key does not belong to the certificate %2</translation>
        </message>
        <message>
            <source>状态:连接中</source>
            <translation>Connecting</translation>
        </message>
        <message>
            <source>注意: </source>
            <translation>Note: </translation>
        </message>
        <message>
            <source>管理机在收到全部固件之前报告升级完成 (已发送 %1/%2 包): 升级没有完成, 请重新尝试.....</source>
            <translation>The unit reported the upgrade complete before it had the whole image (%1 of %2 packages sent): the upgrade did not finish. Please try again.....</translation>
        </message>
        <message>
            <source>管理机请求了 %1 个包, 而固件只有 %2 个包: 升级已停止, 请检查后重新尝试.....</source>
            <translation>The unit asked for %1 packages of an image of %2: the upgrade was stopped. Please check and try again.....</translation>
        </message>
        <message>
            <source>记录文件无法写入, 写入管理机的操作不受影响:</source>
            <translation>The record file cannot be written; what is written to the unit is not affected:</translation>
        </message>
        <message>
            <source>"?" 后面没有选项</source>
            <translation>no option after "?"</translation>
        </message>
    </context>
</TS>
