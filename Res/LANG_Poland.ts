<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl_PL" sourcelanguage="zh_CN">
    <context>
        <name>Function_One</name>
        <message>
            <source>Warning</source>
            <translation>Ostrzeżenie</translation>
        </message>
    </context>
    <context>
        <name>MainWindow</name>
        <message>
            <source>  打开</source>
            <translation>  Otwórz</translation>
        </message>
        <message>
            <source>  保存</source>
            <translation>  Zapisz</translation>
        </message>
        <message>
            <source>  关于</source>
            <translation>  O programie</translation>
        </message>
        <message>
            <source>  帮助</source>
            <translation>  Podręcznik</translation>
        </message>
        <message>
            <source>  另存</source>
            <translation>  Zapisz jako</translation>
        </message>
        <message>
            <source>  固件</source>
            <translation>  Oprogramowanie</translation>
        </message>
        <message>
            <source>  更新</source>
            <translation>  Aktualizacja</translation>
        </message>
        <message>
            <source>          中文         </source>
            <translation>         Polish        </translation>
        </message>
        <message>
            <source>  语言</source>
            <translation>  Język</translation>
        </message>
    </context>
    <context>
        <name>QDialg_add_Line</name>
        <message>
            <source>Warning</source>
            <translation>Ostrzeżenie</translation>
        </message>
    </context>
    <context>
        <name>QObject</name>
        <message>
            <source>小票内容设置</source>
            <translation>Ustawienia biletu</translation>
        </message>
        <message>
            <source>帮助</source>
            <translation>Pomoc</translation>
        </message>
        <message>
            <source>版本更新说明</source>
            <translation>Opis aktualizacji</translation>
        </message>
        <message>
            <source>设备连接发生异常请关闭所有操作并保持电脑和设备的可靠连接！</source>
            <translation>Błąd połączenia z urządzeniem. Zamknij wszystkie operacje i zapewnij pewne połączenie komputera z urządzeniem!</translation>
        </message>
        <message>
            <source>点我^.^添加小票页面内容</source>
            <translation>^.^ Kliknij, aby dodać treść biletu.</translation>
        </message>
        <message>
            <source>点我^.^写入小票页面内容到管理机</source>
            <translation>^.^ Kliknij, aby zapisać bilet w urządzeniu.</translation>
        </message>
        <message>
            <source>连接设备</source>
            <translation>Połącz</translation>
        </message>
        <message>
            <source>点我^.^连接管理机 管理机名字一般以"Prolific"开头</source>
            <translation>^.^ Kliknij, aby połączyć z urządzeniem; jego nazwa zwykle zaczyna się od "Prolific".</translation>
        </message>
        <message>
            <source>类型设置</source>
            <translation>Ustawienia typów</translation>
        </message>
        <message>
            <source>类型一:</source>
            <translation>Typ 1:</translation>
        </message>
        <message>
            <source>类型二:</source>
            <translation>Typ 2:</translation>
        </message>
        <message>
            <source>类型三:</source>
            <translation>Typ 3:</translation>
        </message>
        <message>
            <source>类型四:</source>
            <translation>Typ 4:</translation>
        </message>
        <message>
            <source>类型五:</source>
            <translation>Typ 5:</translation>
        </message>
        <message>
            <source>单  击:</source>
            <translation>Kliknij:</translation>
        </message>
        <message>
            <source>设置</source>
            <translation>Ustaw</translation>
        </message>
        <message>
            <source>点我^.^写入小票各类型名字到管理机</source>
            <translation>^.^ Kliknij, aby zapisać nazwy typów w urządzeniu.</translation>
        </message>
        <message>
            <source>系统参数设置</source>
            <translation>Parametry systemu</translation>
        </message>
        <message>
            <source>点我^.^写入系统参数到管理机</source>
            <translation>^.^ Kliknij, aby zapisać parametry systemu w urządzeniu.</translation>
        </message>
        <message>
            <source>禁止</source>
            <translation>WYŁĄCZ</translation>
        </message>
        <message>
            <source>网络ID设置</source>
            <translation>ID sieci</translation>
        </message>
        <message>
            <source>自动清号设置</source>
            <translation>Zerowanie</translation>
        </message>
        <message>
            <source>同步重启设置</source>
            <translation>Wspólny restart</translation>
        </message>
        <message>
            <source>允许</source>
            <translation>WŁĄCZ</translation>
        </message>
        <message>
            <source>取号器配对</source>
            <translation>Parowanie</translation>
        </message>
        <message>
            <source>取号类型选择</source>
            <translation>Wybór trybu</translation>
        </message>
        <message>
            <source>添加取号器</source>
            <translation>Dodaj</translation>
        </message>
        <message>
            <source>删除取号器</source>
            <translation>Usuń</translation>
        </message>
        <message>
            <source>点我^.^添加取号器类型</source>
            <translation>^.^ Kliknij, aby sparować automat biletowy.</translation>
        </message>
        <message>
            <source>其他设置</source>
            <translation>Inne ustawienia</translation>
        </message>
        <message>
            <source>同步时间</source>
            <translation>Ustaw czas</translation>
        </message>
        <message>
            <source>点我^.^同步系统时间到管理机</source>
            <translation>^.^ Kliknij, aby ustawić w urządzeniu czas komputera.</translation>
        </message>
        <message>
            <source>恢复出厂设置</source>
            <translation>Fabryczne</translation>
        </message>
        <message>
            <source>点我^.^管理机恢复出厂设置 需谨慎</source>
            <translation>^.^ Kliknij, aby przywrócić ustawienia fabryczne urządzenia. Ostrożnie!</translation>
        </message>
        <message>
            <source>连接状态:---</source>
            <translation>Stan: ---</translation>
        </message>
        <message>
            <source>固件版本号:---</source>
            <translation>Wersja: ---</translation>
        </message>
        <message>
            <source>连接错误请检查端口号是否正确....</source>
            <translation>Błąd połączenia, sprawdź, czy port jest poprawny...</translation>
        </message>
        <message>
            <source>断开设备</source>
            <translation>Rozłącz</translation>
        </message>
        <message>
            <source>连接状态:在线</source>
            <translation>Stan:Online</translation>
        </message>
        <message>
            <source>固件版本号:</source>
            <translation>Wersja:</translation>
        </message>
        <message>
            <source>禁止使用特殊符号"+"请重新输入</source>
            <translation>Nie używaj znaku specjalnego"+", wpisz ponownie</translation>
        </message>
        <message>
            <source>正在解析小票页面内容.......</source>
            <translation>Analiza treści biletu....</translation>
        </message>
        <message>
            <source>正在解析类型名字内容.......</source>
            <translation>Analiza nazw typów....</translation>
        </message>
        <message>
            <source>正在解析系统参数.......</source>
            <translation>Analiza parametrów systemu....</translation>
        </message>
        <message>
            <source>正在获取系统时间.......</source>
            <translation>Pobieranie czasu systemowego....</translation>
        </message>
        <message>
            <source>正在恢复系统出厂设置.......</source>
            <translation>Przywracanie ustawień fabrycznych....</translation>
        </message>
        <message>
            <source>当前没有要发送的数据已停止通信....</source>
            <translation>Brak danych do wysłania, komunikacja zatrzymana....</translation>
        </message>
        <message>
            <source>共有 </source>
            <translation>Łącznie </translation>
        </message>
        <message>
            <source> 参数需要发送正在建立通信......</source>
            <translation> poleceń do wysłania, nawiązywanie komunikacji....</translation>
        </message>
        <message>
            <source>正在发送 </source>
            <translation>Wysyłanie </translation>
        </message>
        <message>
            <source> 条内容......</source>
            <translation> polecenia....</translation>
        </message>
        <message>
            <source>发送完成已停止通信.....</source>
            <translation>Wysyłanie zakończone, komunikacja zatrzymana....</translation>
        </message>
        <message>
            <source>增加小票内容</source>
            <translation>Dodaj treść biletu</translation>
        </message>
        <message>
            <source>格式错误</source>
            <translation>Błąd formatu</translation>
        </message>
        <message>
            <source>或者文件可能已经损坏!!!</source>
            <translation>lub plik może być uszkodzony!!!</translation>
        </message>
        <message>
            <source>对齐方式</source>
            <translation>Wyrównanie</translation>
        </message>
        <message>
            <source>左对齐</source>
            <translation>Do lewej</translation>
        </message>
        <message>
            <source>居中</source>
            <translation>Do środka</translation>
        </message>
        <message>
            <source>右对齐</source>
            <translation>Do prawej</translation>
        </message>
        <message>
            <source>实时同步预览使能</source>
            <translation>Podgląd na żywo</translation>
        </message>
        <message>
            <source>字号:</source>
            <translation>Rozmiar:</translation>
        </message>
        <message>
            <source>类型:</source>
            <translation>Typ:</translation>
        </message>
        <message>
            <source>用英文下的":"代替人数</source>
            <translation>Wpisz ":" w miejscu liczby osób</translation>
        </message>
        <message>
            <source>普通文本</source>
            <translation>Zwykły tekst</translation>
        </message>
        <message>
            <source>小票类型</source>
            <translation>Typ biletu</translation>
        </message>
        <message>
            <source>时间类型</source>
            <translation>Czas</translation>
        </message>
        <message>
            <source>剩余人数</source>
            <translation>Oczekujący</translation>
        </message>
        <message>
            <source>第1行</source>
            <translation>Wiersz 1</translation>
        </message>
        <message>
            <source>第2行</source>
            <translation>Wiersz 2</translation>
        </message>
        <message>
            <source>第3行</source>
            <translation>Wiersz 3</translation>
        </message>
        <message>
            <source>第4行</source>
            <translation>Wiersz 4</translation>
        </message>
        <message>
            <source>第5行</source>
            <translation>Wiersz 5</translation>
        </message>
        <message>
            <source>第6行</source>
            <translation>Wiersz 6</translation>
        </message>
        <message>
            <source>第7行</source>
            <translation>Wiersz 7</translation>
        </message>
        <message>
            <source>第8行</source>
            <translation>Wiersz 8</translation>
        </message>
        <message>
            <source>第9行</source>
            <translation>Wiersz 9</translation>
        </message>
        <message>
            <source>第10行</source>
            <translation>Wiersz 10</translation>
        </message>
        <message>
            <source>不添加空行</source>
            <translation>Bez odstępu</translation>
        </message>
        <message>
            <source>空1行</source>
            <translation>+1 wiersz</translation>
        </message>
        <message>
            <source>空2行</source>
            <translation>+2 wiersze</translation>
        </message>
        <message>
            <source>空3行</source>
            <translation>+3 wiersze</translation>
        </message>
        <message>
            <source>小字体</source>
            <translation>Mały</translation>
        </message>
        <message>
            <source>大字体</source>
            <translation>Duży</translation>
        </message>
        <message>
            <source>添加</source>
            <translation>Dodaj</translation>
        </message>
        <message>
            <source>清除所有</source>
            <translation>Wyczyść</translation>
        </message>
        <message>
            <source>警告：程序正在运行退出后是否要保存配置文件?</source>
            <translation>Uwaga: czy zapisać plik konfiguracji przed zamknięciem?</translation>
        </message>
        <message>
            <source>退出程序</source>
            <translation>Zamykanie programu</translation>
        </message>
        <message>
            <source>               系统文件可能已经损坏...             </source>
            <translation>        Plik systemowy może być uszkodzony....</translation>
        </message>
        <message>
            <source>配置文件保存失败,原文件未改动:</source>
            <translation>Nie udało się zapisać pliku ustawień; poprzedni plik pozostał bez zmian:</translation>
        </message>
        <message>
            <source>类型</source>
            <translation>TYP </translation>
        </message>
        <message>
            <source>请选择类型点击添加后按住取号器上的按键...</source>
            <translation>Wybierz typ, kliknij Dodaj, trzymaj klawisz...</translation>
        </message>
        <message>
            <source>添 加</source>
            <translation>Dodaj</translation>
        </message>
        <message>
            <source>添加类型:</source>
            <translation>Dodaj typ:</translation>
        </message>
        <message>
            <source>请选择需要删除的类型点击删除...</source>
            <translation>Wybierz typ do usunięcia i kliknij Usuń...</translation>
        </message>
        <message>
            <source>删除</source>
            <translation>Usuń</translation>
        </message>
        <message>
            <source>删除类型:</source>
            <translation>Usuń typ:</translation>
        </message>
        <message>
            <source>自动切换:</source>
            <translation>Auto dalej:</translation>
        </message>
        <message>
            <source>选中后配对成功后会自动跳转下一个类型</source>
            <translation>Po udanym parowaniu program sam przejdzie do następnego typu</translation>
        </message>
        <message>
            <source>类型 </source>
            <translation>TYP </translation>
        </message>
        <message>
            <source>匹配成功.</source>
            <translation> Sparowano.</translation>
        </message>
        <message>
            <source>此叫号器已经与类型 </source>
            <translation>To urządzenie jest już sparowane z typem </translation>
        </message>
        <message>
            <source> 配对...</source>
            <translation>...</translation>
        </message>
        <message>
            <source>已经删除全部类型.</source>
            <translation>Usunięto wszystkie typy.</translation>
        </message>
        <message>
            <source>删除成功.</source>
            <translation>Usunięto.</translation>
        </message>
        <message>
            <source>更新固件</source>
            <translation>Aktualizuj</translation>
        </message>
        <message>
            <source>打开固件</source>
            <translation>Otwórz plik</translation>
        </message>
        <message>
            <source>请确认是否已经连接设备,并且已经进入升级模式...</source>
            <translation>Upewnij się, że urządzenie jest połączone i w trybie aktualizacji...</translation>
        </message>
        <message>
            <source>固件加载完成: </source>
            <translation>Wczytano plik aktualizacji: </translation>
        </message>
        <message>
            <source>固件文件超过51200字节,未加载: </source>
            <translation>Plik większy niż 51200 bajtów, nie wczytano: </translation>
        </message>
        <message>
            <source>固件文件无法读取,未加载.....</source>
            <translation>Nie można odczytać pliku, nie wczytano.....</translation>
        </message>
        <message>
            <source>请选择并打开要更新的固件.....</source>
            <translation>Wybierz i otwórz plik aktualizacji....</translation>
        </message>
        <message>
            <source>发生异常错误请重新尝试.....</source>
            <translation>Wystąpił błąd. Spróbuj ponownie....</translation>
        </message>
        <message>
            <source>正在请求升级等待响应...</source>
            <translation>Żądanie aktualizacji, oczekiwanie na odpowiedź...</translation>
        </message>
        <message>
            <source>响应超时请重新尝试.....</source>
            <translation>Brak odpowiedzi. Spróbuj ponownie...</translation>
        </message>
        <message>
            <source>升级完成5s后进入主程序...</source>
            <translation>Aktualizacja zakończona, program urządzenia ruszy za 5 s...</translation>
        </message>
        <message>
            <source>升级包存在异常升级失败请检查后重新尝试...</source>
            <translation>Błędny plik aktualizacji, aktualizacja nieudana. Sprawdź i spróbuj ponownie...</translation>
        </message>
        <message>
            <source>系统已经进入升级模式....</source>
            <translation>Urządzenie jest w trybie aktualizacji....</translation>
        </message>
        <message>
            <source>系统已经进入正常模式系统版本:</source>
            <translation>Urządzenie pracuje normalnie, wersja:</translation>
        </message>
        <message>
            <source>固件正在传输,不能更换固件.....</source>
            <translation>Trwa przesyłanie, nie można teraz zmienić oprogramowania.....</translation>
        </message>
        <message>
            <source>语言设置无法保存:</source>
            <translation>Nie można zapisać ustawienia języka:</translation>
        </message>
        <message>
            <source>可以用"另存"保存到其他文件夹.</source>
            <translation>Użyj "Zapisz jako", aby zapisać w innym folderze.</translation>
        </message>
        <message>
            <source>无法打开此文件, 请手动打开:</source>
            <translation>Nie ma tu programu do otwarcia tego pliku; otwórz go samodzielnie:</translation>
        </message>
        <message>
            <source>没有使用此端口的权限: 请把用户加入 "%1" 组 (sudo usermod -aG %1 $USER), 然后重新登录.</source>
            <translation>Brak uprawnień do portu: dodaj swoje konto do grupy "%1" (sudo usermod -aG %1 $USER) i zaloguj się ponownie.</translation>
        </message>
        <message>
            <source>管理机没有应答,请检查电源和连接线.....</source>
            <translation>Urządzenie nie odpowiada. Sprawdź zasilanie i kabel.....</translation>
        </message>
        <message>
            <source>关闭</source>
            <translation>Zamknij</translation>
        </message>
        <message>
            <source>是</source>
            <translation>Tak</translation>
        </message>
        <message>
            <source>否</source>
            <translation>Nie</translation>
        </message>
        <message>
            <source>恢复出厂设置会清除管理机上的全部设置, 确定要恢复吗?</source>
            <translation>Przywrócenie ustawień fabrycznych usuwa wszystkie ustawienia urządzenia. Przywrócić?</translation>
        </message>
        <message>
            <source>第 %1 条命令 %2 秒没有应答: 请检查管理机的电源, 连接线和端口; 应答到达后继续发送.</source>
            <translation>Polecenie %1 bez odpowiedzi od %2 s: sprawdź zasilanie urządzenia, kabel i port; wysyłanie będzie kontynuowane po odpowiedzi.</translation>
        </message>
        <message>
            <source>状态:无应答</source>
            <translation>Bez odzewu</translation>
        </message>
        <message>
            <source>配置文件没有打开, 页面没有改动:</source>
            <translation>Plik ustawień nie został otwarty, strona bez zmian:</translation>
        </message>
        <message>
            <source>(原文件可能已损坏)</source>
            <translation>(stary plik może być uszkodzony)</translation>
        </message>
        <message>
            <source>文件太大: %1 字节, 最多 %2 字节</source>
            <translation>Plik jest za duży: %1 bajtów, najwyżej %2 bajtów</translation>
        </message>
        <message>
            <source>文件无法读取 (没有权限或读取出错)</source>
            <translation>Nie można odczytać pliku (brak uprawnień lub błąd odczytu)</translation>
        </message>
        <message>
            <source>文件是空的</source>
            <translation>Plik jest pusty</translation>
        </message>
        <message>
            <source>文件没有写完整</source>
            <translation>Plik nie został zapisany w całości</translation>
        </message>
        <message>
            <source>此端口正被其他程序使用 (进程 %1), 请先关闭那个程序.</source>
            <translation>Ten port jest używany przez inny program (proces %1); najpierw zamknij ten program.</translation>
        </message>
        <message>
            <source>此端口正被其他程序使用, 请先关闭那个程序.</source>
            <translation>Ten port jest używany przez inny program; najpierw zamknij ten program.</translation>
        </message>
        <message>
            <source>没有使用此端口的权限, 请联系系统管理员.</source>
            <translation>Brak uprawnień do tego portu; zwróć się do administratora systemu.</translation>
        </message>
        <message>
            <source>没有找到此文件</source>
            <translation>Nie znaleziono tego pliku</translation>
        </message>
        <message>
            <source>端口 %1 已不存在: 设备可能已被拔出.</source>
            <translation>Port %1 zniknął: urządzenie mogło zostać odłączone.</translation>
        </message>
        <message>
            <source>端口已不存在: 设备可能已被拔出, 请重新插入后再选择端口.</source>
            <translation>Port zniknął: urządzenie mogło zostać odłączone; podłącz je ponownie i wybierz port.</translation>
        </message>
        <message>
            <source>这不是普通文件 (设备或管道), 不能保存到这里</source>
            <translation>To nie jest zwykły plik (urządzenie lub potok); nie można tu zapisać</translation>
        </message>
        <message>
            <source>这不是普通文件 (设备或管道), 不能读取</source>
            <translation>To nie jest zwykły plik (urządzenie lub potok); nie jest odczytywany</translation>
        </message>
        <message>
            <source>这不是配置文件</source>
            <translation>To nie jest plik ustawień</translation>
        </message>
        <message>
            <source>这是一个文件夹, 不是文件</source>
            <translation>To jest folder, nie plik</translation>
        </message>
        <message>
            <source>这是其他用户放在共享文件夹里的链接, 不会跟随它保存</source>
            <translation>To jest łącze innego użytkownika w folderze wspólnym; zapis za nim nie podąża</translation>
        </message>
        <message>
            <source>地址无效 (%1): %2</source>
            <translation>Nieprawidłowy adres (%1): %2</translation>
        </message>
        <message>
            <source>只支持 rfc2217://, socket://, rfc2217+tls:// 和 socket+tls://</source>
            <translation>Obsługiwane są tylko rfc2217://, socket://, rfc2217+tls:// i socket+tls://</translation>
        </message>
        <message>
            <source>需要主机和端口号 1 到 65535, 例如 rfc2217://192.168.1.20:7001</source>
            <translation>Potrzebny jest host i numer portu od 1 do 65535, np. rfc2217://192.168.1.20:7001</translation>
        </message>
        <message>
            <source>方括号里须是 IPv6 地址</source>
            <translation>W nawiasach kwadratowych może być tylko adres IPv6</translation>
        </message>
        <message>
            <source>主机名无效; IPv6 地址须写在方括号里</source>
            <translation>Nieprawidłowa nazwa hosta; adres IPv6 należy podać w nawiasach kwadratowych</translation>
        </message>
        <message>
            <source>选项 %1 只用于 TLS 地址 (+tls)</source>
            <translation>Opcja %1 dotyczy tylko adresów TLS (+tls)</translation>
        </message>
        <message>
            <source>未知选项 %1</source>
            <translation>Nieznana opcja %1</translation>
        </message>
        <message>
            <source>客户端证书需要 cert= 和 key= 两个文件</source>
            <translation>Certyfikat klienta wymaga zarówno cert=, jak i key=</translation>
        </message>
        <message>
            <source>连接超时: %1 在 %2 秒内没有应答</source>
            <translation>Przekroczono czas: %1 nie odpowiedział w ciągu %2 s</translation>
        </message>
        <message>
            <source>找不到主机: %1</source>
            <translation>Nie znaleziono hosta: %1</translation>
        </message>
        <message>
            <source>连接被拒绝: %1 (服务器没有在此端口上运行?)</source>
            <translation>Połączenie odrzucone: %1 (czy serwer działa na tym porcie?)</translation>
        </message>
        <message>
            <source>服务器关闭了连接: %1</source>
            <translation>Serwer zamknął połączenie: %1</translation>
        </message>
        <message>
            <source>网络连接失败: %1: %2</source>
            <translation>Błąd połączenia sieciowego: %1: %2</translation>
        </message>
        <message>
            <source>此电脑上没有 TLS 库 (OpenSSL)</source>
            <translation>Na tym komputerze brak biblioteki TLS (OpenSSL)</translation>
        </message>
        <message>
            <source>TLS 验证失败: %1 的证书 "%2": %3</source>
            <translation>Weryfikacja TLS nie powiodła się: certyfikat "%2" serwera %1: %3</translation>
        </message>
        <message>
            <source>页面</source>
            <translation>Strony</translation>
        </message>
        <message>
            <source>打开视频教程</source>
            <translation>Otwórz samouczek wideo</translation>
        </message>
        <message>
            <source>点我^.^打开视频教程</source>
            <translation>Kliknij, aby otworzyć samouczek wideo</translation>
        </message>
        <message>
            <source>版本更新记录</source>
            <translation>Informacje o wersjach</translation>
        </message>
        <message>
            <source>添加小票内容</source>
            <translation>Dodaj wiersz biletu</translation>
        </message>
        <message>
            <source>写入小票内容</source>
            <translation>Zapisz stronę biletu</translation>
        </message>
        <message>
            <source>小票预览</source>
            <translation>Podgląd biletu</translation>
        </message>
        <message>
            <source>端口</source>
            <translation>Port</translation>
        </message>
        <message>
            <source>端口名称</source>
            <translation>Nazwa portu</translation>
        </message>
        <message>
            <source>设置类型名称</source>
            <translation>Ustaw nazwy typów</translation>
        </message>
        <message>
            <source>设置系统参数</source>
            <translation>Ustaw parametry systemu</translation>
        </message>
        <message>
            <source>设置取号器配对</source>
            <translation>Ustaw parowanie dozowników</translation>
        </message>
        <message>
            <source>通信记录</source>
            <translation>Dziennik komunikacji</translation>
        </message>
        <message>
            <source>行</source>
            <translation>Wiersz</translation>
        </message>
        <message>
            <source>内容</source>
            <translation>Treść</translation>
        </message>
        <message>
            <source>空行</source>
            <translation>Puste wiersze</translation>
        </message>
        <message>
            <source>升级记录</source>
            <translation>Dziennik aktualizacji</translation>
        </message>
        <message>
            <source>实时预览</source>
            <translation>Podgląd na żywo</translation>
        </message>
        <message>
            <source>写</source>
            <translation>Zapisz</translation>
        </message>
        <message>
            <source>已保存:</source>
            <translation>Zapisano:</translation>
        </message>
        <message>
            <source>类型名称最多%1字节(一个汉字占2字节), 多出的部分不会发送: "%2"</source>
            <translation>Nazwa typu ma najwyżej %1 bajtów (2 na znak chiński); ta część nie zostanie wysłana: "%2"</translation>
        </message>
        <message>
            <source>升级进度</source>
            <translation>Postęp aktualizacji</translation>
        </message>
        <message>
            <source>已发送 %1/%2 包</source>
            <translation>Wysłano %1 z %2 pakietów</translation>
        </message>
        <message>
            <source>剩余约 %1 秒</source>
            <translation>Pozostało ok. %1 s</translation>
        </message>
        <message>
            <source>配置文件缺少 %1, 按空值或 0 载入, 文件没有改写: %2</source>
            <translation>W pliku ustawień brakuje %1; wczytano jako puste lub 0, pliku nie przepisano: %2</translation>
        </message>
        <message>
            <source>键 %1 的值是 %2(...) 形式的数据, 配置文件只存文字和数字</source>
            <translation>Klucz %1 zawiera wartość %2(...); plik ustawień zawiera tylko tekst i liczby</translation>
        </message>
        <message>
            <source>保存时文件或文件夹被换掉了, 没有写入</source>
            <translation>Plik lub jego folder został podmieniony podczas zapisu; nic nie zapisano</translation>
        </message>
        <message>
            <source>name= 须是证书上的主机名</source>
            <translation>name= musi być nazwą hosta z certyfikatu</translation>
        </message>
        <message>
            <source>管理机位置: %1</source>
            <translation>Urządzenie jest pod adresem: %1</translation>
        </message>
        <message>
            <source>%1: 在网络上发现, 主机 %2</source>
            <translation>%1: znalezione w sieci, host %2</translation>
        </message>
        <message>
            <source>证书按系统的证书库验证 (还没有输入过带 ca= 的 TLS 地址)</source>
            <translation>Certyfikat jest sprawdzany w magazynie systemu (nie wpisano jeszcze adresu TLS z ca=)</translation>
        </message>
        <message>
            <source>证书须由最后输入的 TLS 地址的 ca= 签发: %1</source>
            <translation>Certyfikat musi pochodzić od ca= ostatnio wpisanego adresu TLS: %1</translation>
        </message>
        <message>
            <source>地址不能带片段 "%1"</source>
            <translation>adres nie może mieć fragmentu: "%1"</translation>
        </message>
        <message>
            <source>地址不能带用户名 "%1"</source>
            <translation>adres nie może zawierać nazwy użytkownika: "%1"</translation>
        </message>
        <message>
            <source>选项名是空的: "%1"</source>
            <translation>opcja bez nazwy: "%1"</translation>
        </message>
        <message>
            <source>选项 %1 出现了两次</source>
            <translation>opcja %1 jest podana dwa razy</translation>
        </message>
        <message>
            <source>选项 %1 只能写成 %1 或 %1=1</source>
            <translation>opcję %1 zapisuje się jako %1 lub %1=1</translation>
        </message>
        <message>
            <source>选项 %1= 是空的</source>
            <translation>opcja %1= jest pusta</translation>
        </message>
        <message>
            <source>服务器的证书没有验证 (insecure)</source>
            <translation>certyfikat serwera NIE jest sprawdzany (insecure)</translation>
        </message>
        <message>
            <source>TLS 握手超时: %1 在 %2 秒内没有完成 TLS 握手 (它是 TLS 服务器吗?)</source>
            <translation>Przekroczono czas uzgadniania TLS: %1 nie zakończył go w ciągu %2 s (czy to serwer TLS?)</translation>
        </message>
        <message>
            <source>不能通过此连接升级固件: 服务器使用 telnet, 会改动固件里的 0xFF 字节; 请用 rfc2217:// 地址</source>
            <translation>Nie można aktualizować oprogramowania przez to połączenie: serwer używa telnetu i zmieniłby bajty 0xFF obrazu; użyj adresu rfc2217://</translation>
        </message>
        <message>
            <source>此服务器使用 telnet: 请用 rfc2217:// 地址</source>
            <translation>ten serwer używa telnetu: użyj rfc2217://</translation>
        </message>
        <message>
            <source>TLS 握手失败: %1: %2</source>
            <translation>Uzgadnianie TLS nie powiodło się: %1: %2</translation>
        </message>
        <message>
            <source>客户端证书或私钥不能使用: %1</source>
            <translation>Nie można użyć certyfikatu lub klucza klienta: %1</translation>
        </message>
        <message>
            <source>%1: 文件不存在</source>
            <translation>%1: plik nie istnieje</translation>
        </message>
        <message>
            <source>%1: 不是普通的 PEM 文件</source>
            <translation>%1: to nie jest zwykły plik PEM</translation>
        </message>
        <message>
            <source>%1: 无法读取 (%2)</source>
            <translation>%1: nie można odczytać (%2)</translation>
        </message>
        <message>
            <source>%1: 不是 PEM 文件</source>
            <translation>%1: to nie jest plik PEM</translation>
        </message>
        <message>
            <source>CA 文件</source>
            <translation>Plik CA</translation>
        </message>
        <message>
            <source>%1: 不是 PEM 格式的证书</source>
            <translation>%1: nie zawiera certyfikatu PEM</translation>
        </message>
        <message>
            <source>客户端证书</source>
            <translation>Certyfikat klienta</translation>
        </message>
        <message>
            <source>客户端私钥</source>
            <translation>Klucz klienta</translation>
        </message>
        <message>
            <source>%1: 其他用户可以读取此私钥, 所以不使用它; 请执行 chmod 600 %2</source>
            <translation>%1: inni użytkownicy mogą odczytać ten klucz prywatny, więc nie jest używany; wykonaj chmod 600 %2</translation>
        </message>
        <message>
            <source>%1: 同组用户可以读取此私钥 (chmod 600 %2 可以避免)</source>
            <translation>%1: użytkownicy grupy pliku mogą odczytać ten klucz prywatny (chmod 600 %2 temu zapobiega)</translation>
        </message>
        <message>
            <source>%1: 私钥有密码保护, 本程序不支持; 请用 openssl pkey -in %2 -out 新文件 去掉密码</source>
            <translation>%1: klucz prywatny jest chroniony hasłem, co nie jest obsługiwane; usuń hasło poleceniem openssl pkey -in %2 -out NOWY-PLIK</translation>
        </message>
        <message>
            <source>%1: 不是可用的 PEM 私钥 (支持 RSA, EC 和 DSA)</source>
            <translation>%1: nie zawiera użytecznego klucza prywatnego PEM (obsługiwane są klucze RSA, EC i DSA)</translation>
        </message>
        <message>
            <source>%1: 私钥与证书 %2 不匹配</source>
            <translation>%1: klucz prywatny nie należy do certyfikatu %2</translation>
        </message>
        <message>
            <source>状态:连接中</source>
            <translation>Łączenie</translation>
        </message>
        <message>
            <source>注意: </source>
            <translation>Uwaga: </translation>
        </message>
        <message>
            <source>管理机在收到全部固件之前报告升级完成 (已发送 %1/%2 包): 升级没有完成, 请重新尝试.....</source>
            <translation>Urządzenie zgłosiło koniec aktualizacji, zanim otrzymało cały obraz (wysłano %1 z %2 pakietów): aktualizacja nie została ukończona. Spróbuj ponownie.....</translation>
        </message>
        <message>
            <source>管理机请求了 %1 个包, 而固件只有 %2 个包: 升级已停止, 请检查后重新尝试.....</source>
            <translation>Urządzenie zażądało %1 pakietów obrazu liczącego %2: aktualizację przerwano. Sprawdź i spróbuj ponownie.....</translation>
        </message>
        <message>
            <source>记录文件无法写入, 写入管理机的操作不受影响:</source>
            <translation>Nie można zapisać pliku rejestru; nie ma to wpływu na zapis do urządzenia:</translation>
        </message>
        <message>
            <source>"?" 后面没有选项</source>
            <translation>brak opcji po "?"</translation>
        </message>
    </context>
</TS>
