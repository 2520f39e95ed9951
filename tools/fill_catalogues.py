#!/usr/bin/env python3
"""Writes the English and Polish texts into Res/LANG_English.ts and Res/LANG_Poland.ts.

Workflow when code gains a translated text:
  lupdate app serial device protocol ticket firmware -no-obsolete -locations none \
      -ts Res/LANG_English.ts Res/LANG_Poland.ts
  add the text to TEXTS below, then run: python3 tools/fill_catalogues.py
"""
import sys
import xml.etree.ElementTree as ET
from pathlib import Path

# (context, Chinese source): (English, Polish)
TEXTS = {
    ("Function_One", "Warning"): ("Warning", "Ostrzeżenie"),
    ("MainWindow", "  打开"): ("  Open", "  Otwórz"),
    ("MainWindow", "  保存"): ("  Save", "  Zapisz"),
    ("MainWindow", "  关于"): ("  About", "  O programie"),
    ("MainWindow", "  帮助"): ("  Help Book", "  Podręcznik"),
    ("MainWindow", "  另存"): ("  Save as", "  Zapisz jako"),
    ("MainWindow", "  固件"): ("  Firmware", "  Oprogramowanie"),
    ("MainWindow", "  更新"): ("  Update", "  Aktualizacja"),
    ("MainWindow", "          中文         "): ("        English       ", "         Polish        "),
    ("MainWindow", "  语言"): ("  Language", "  Język"),
    ("QObject", "小票内容设置"): ("Ticket setting", "Ustawienia biletu"),
    ("QObject", "帮助"): ("Help", "Pomoc"),
    ("QObject", "版本更新说明"): ("Update description", "Opis aktualizacji"),
    ("QObject", "设备连接发生异常请关闭所有操作并保持电脑和设备的可靠连接！"): (
        "The device sends an exception. Please close all operations and maintain reliable connections between computers and devices!",
        "Błąd połączenia z urządzeniem. Zamknij wszystkie operacje i zapewnij pewne połączenie komputera z urządzeniem!"),
    ("QObject", "点我^.^添加小票页面内容"): (
        "^.^ Click me to add the contents of the small ticket page.", "^.^ Kliknij, aby dodać treść biletu."),
    ("QObject", "点我^.^写入小票页面内容到管理机"): (
        "^.^ Click me to write the small ticket page to the device.", "^.^ Kliknij, aby zapisać bilet w urządzeniu."),
    ("QObject", "连接设备"): ("Connection", "Połącz"),
    ("QObject", "点我^.^连接管理机 管理机名字一般以\"Prolific\"开头"): (
        "^.^ Click on my device name to start with \"Prolific\".",
        "^.^ Kliknij, aby połączyć z urządzeniem; jego nazwa zwykle zaczyna się od \"Prolific\"."),
    ("QObject", "类型设置"): ("Type setting", "Ustawienia typów"),
    ("QObject", "类型一:"): ("Type 1:", "Typ 1:"),
    ("QObject", "类型二:"): ("Type 2:", "Typ 2:"),
    ("QObject", "类型三:"): ("Type 3:", "Typ 3:"),
    ("QObject", "类型四:"): ("Type 4:", "Typ 4:"),
    ("QObject", "类型五:"): ("Type 5:", "Typ 5:"),
    ("QObject", "单  击:"): ("Click:", "Kliknij:"),
    ("QObject", "设置"): ("Setting", "Ustaw"),
    ("QObject", "点我^.^写入小票各类型名字到管理机"): (
        "^.^ Click me to write type to device.", "^.^ Kliknij, aby zapisać nazwy typów w urządzeniu."),
    ("QObject", "系统参数设置"): ("System parameters setting", "Parametry systemu"),
    ("QObject", "点我^.^写入系统参数到管理机"): (
        "^.^ Click me to write the system parameters to the device.",
        "^.^ Kliknij, aby zapisać parametry systemu w urządzeniu."),
    ("QObject", "禁止"): ("DISABLE", "WYŁĄCZ"),
    ("QObject", "网络ID设置"): ("Network ID", "ID sieci"),
    ("QObject", "自动清号设置"): ("Clear Number", "Zerowanie"),
    ("QObject", "同步重启设置"): ("Synchro Reset", "Wspólny restart"),
    ("QObject", "允许"): ("ENABLE", "WŁĄCZ"),
    ("QObject", "取号器配对"): ("Pair Mode", "Parowanie"),
    ("QObject", "取号类型选择"): ("Type Choose", "Wybór trybu"),
    ("QObject", "添加取号器"): ("Addition", "Dodaj"),
    ("QObject", "删除取号器"): ("Delete", "Usuń"),
    ("QObject", "点我^.^添加取号器类型"): (
        "^.^ Click me to add the number type.", "^.^ Kliknij, aby sparować automat biletowy."),
    ("QObject", "其他设置"): ("Others setting", "Inne ustawienia"),
    ("QObject", "同步时间"): ("Sync time", "Ustaw czas"),
    ("QObject", "点我^.^同步系统时间到管理机"): (
        "^.^ Click me to synchronize system time to device.", "^.^ Kliknij, aby ustawić w urządzeniu czas komputera."),
    ("QObject", "恢复出厂设置"): ("Restore Settings", "Fabryczne"),
    ("QObject", "点我^.^管理机恢复出厂设置 需谨慎"): (
        "^.^ Click on me to resume the factory settings.",
        "^.^ Kliknij, aby przywrócić ustawienia fabryczne urządzenia. Ostrożnie!"),
    ("QObject", "连接状态:---"): ("State: ---", "Stan: ---"),
    ("QObject", "固件版本号:---"): ("Version: ---", "Wersja: ---"),
    ("QObject", "连接错误请检查端口号是否正确...."): (
        "Connection error check if the port number is correct...", "Błąd połączenia, sprawdź, czy port jest poprawny..."),
    ("QObject", "断开设备"): ("Disconnect", "Rozłącz"),
    ("QObject", "连接状态:在线"): ("State:Normal", "Stan:Online"),
    ("QObject", "固件版本号:"): ("Version:", "Wersja:"),
    ("QObject", "正在解析小票页面内容......."): ("Analyzing small ticket page....", "Analiza treści biletu...."),
    ("QObject", "正在解析类型名字内容......."): ("Parsing name of type....", "Analiza nazw typów...."),
    ("QObject", "正在解析系统参数......."): ("Parsing system parameters....", "Analiza parametrów systemu...."),
    ("QObject", "正在获取系统时间......."): ("Getting system time....", "Pobieranie czasu systemowego...."),
    ("QObject", "正在恢复系统出厂设置......."): ("Restoring factory settings....", "Przywracanie ustawień fabrycznych...."),
    ("QObject", "当前没有要发送的数据已停止通信...."): (
        "No data has stopped communication....", "Brak danych do wysłania, komunikacja zatrzymana...."),
    ("QObject", "共有 "): ("Share ", "Łącznie "),
    ("QObject", " 参数需要发送正在建立通信......"): (
        " Parameters need to be sent....", " poleceń do wysłania, nawiązywanie komunikacji...."),
    ("QObject", "正在发送 "): ("Being sent ", "Wysyłanie "),
    ("QObject", " 条内容......"): (" bar content....", " polecenia...."),
    ("QObject", "发送完成已停止通信....."): (
        "Sending completed communication has stopped....", "Wysyłanie zakończone, komunikacja zatrzymana...."),
    ("QObject", "禁止使用特殊符号\"+\"请重新输入"): (
        "Prohibit the use of special symbols\"+\"", "Nie używaj znaku specjalnego\"+\", wpisz ponownie"),
    ("QObject", "增加小票内容"): ("Add ticket contents", "Dodaj treść biletu"),
    ("QObject", "格式错误"): ("Formatting error", "Błąd formatu"),
    ("QObject", "或者文件可能已经损坏!!!"): ("or the file may have been damaged!!!", "lub plik może być uszkodzony!!!"),
    ("QObject", "对齐方式"): ("Alignment", "Wyrównanie"),
    ("QObject", "左对齐"): ("Left", "Do lewej"),
    ("QObject", "居中"): ("Middle", "Do środka"),
    ("QObject", "右对齐"): ("Right", "Do prawej"),
    ("QObject", "实时同步预览使能"): ("Synchronous preview enable", "Podgląd na żywo"),
    ("QObject", "字号:"): ("SIZE:", "Rozmiar:"),
    ("QObject", "类型:"): ("TYPE:", "Typ:"),
    ("QObject", "用英文下的\":\"代替人数"): ("Use \":\" instead of number", "Wpisz \":\" w miejscu liczby osób"),
    ("QObject", "普通文本"): ("Ordinary text", "Zwykły tekst"),
    ("QObject", "小票类型"): ("Ticket type", "Typ biletu"),
    ("QObject", "时间类型"): ("Time type", "Czas"),
    ("QObject", "剩余人数"): ("Residual type", "Oczekujący"),
    ("QObject", "第1行"): ("NO.1 Line", "Wiersz 1"),
    ("QObject", "第2行"): ("NO.2 Line", "Wiersz 2"),
    ("QObject", "第3行"): ("NO.3 Line", "Wiersz 3"),
    ("QObject", "第4行"): ("NO.4 Line", "Wiersz 4"),
    ("QObject", "第5行"): ("NO.5 Line", "Wiersz 5"),
    ("QObject", "第6行"): ("NO.6 Line", "Wiersz 6"),
    ("QObject", "第7行"): ("NO.7 Line", "Wiersz 7"),
    ("QObject", "第8行"): ("NO.8 Line", "Wiersz 8"),
    ("QObject", "第9行"): ("NO.9 Line", "Wiersz 9"),
    ("QObject", "第10行"): ("NO.10 Line", "Wiersz 10"),
    ("QObject", "不添加空行"): ("None", "Bez odstępu"),
    ("QObject", "空1行"): ("Skip 1 Line", "+1 wiersz"),
    ("QObject", "空2行"): ("Skip 2 Lines", "+2 wiersze"),
    ("QObject", "空3行"): ("Skip 3 Lines", "+3 wiersze"),
    ("QObject", "小字体"): ("Small fonts", "Mały"),
    ("QObject", "大字体"): ("Big fonts", "Duży"),
    ("QObject", "添加"): ("Addition", "Dodaj"),
    ("QObject", "清除所有"): ("Clear all", "Wyczyść"),
    ("QDialg_add_Line", "Warning"): ("Warning", "Ostrzeżenie"),
    ("QObject", "退出程序"): ("Exit procedure", "Zamykanie programu"),
    ("QObject", "警告：程序正在运行退出后是否要保存配置文件?"): (
        "Warning:Do you want to save the configuration file and exit?",
        "Uwaga: czy zapisać plik konfiguracji przed zamknięciem?"),
    ("QObject", "               系统文件可能已经损坏...             "): (
        "        The system file may have been damaged....", "        Plik systemowy może być uszkodzony...."),
    ("QObject", "配置文件保存失败,原文件未改动:"): (
        "The settings file could not be saved; the previous file is unchanged:",
        "Nie udało się zapisać pliku ustawień; poprzedni plik pozostał bez zmian:"),
    ("QObject", "请选择类型点击添加后按住取号器上的按键..."): (
        "Please select and click Add button...", "Wybierz typ, kliknij Dodaj, trzymaj klawisz..."),
    ("QObject", "请选择需要删除的类型点击删除..."): (
        "Please select and click Delete key...", "Wybierz typ do usunięcia i kliknij Usuń..."),
    ("QObject", "添 加"): ("Addition", "Dodaj"),
    ("QObject", "删除"): ("Delete", "Usuń"),
    ("QObject", "添加类型:"): ("Add Type:", "Dodaj typ:"),
    ("QObject", "删除类型:"): ("Delete type", "Usuń typ:"),
    ("QObject", "类型"): ("TYPE ", "TYP "),
    ("QObject", "类型 "): ("TYPE ", "TYP "),
    ("QObject", "匹配成功."): (" Pairing success.", " Sparowano."),
    ("QObject", "此叫号器已经与类型 "): ("This device has been combined with ", "To urządzenie jest już sparowane z typem "),
    ("QObject", " 配对..."): (" Pair...", "..."),
    ("QObject", "删除成功."): ("Delete success.", "Usunięto."),
    ("QObject", "已经删除全部类型."): ("All types have been deleted.", "Usunięto wszystkie typy."),
    ("QObject", "自动切换:"): ("Auto grow:", "Auto dalej:"),
    ("QObject", "选中后配对成功后会自动跳转下一个类型"): (
        "After successful pairing, the next type will automatically jump",
        "Po udanym parowaniu program sam przejdzie do następnego typu"),
    ("QObject", "更新固件"): ("Update", "Aktualizuj"),
    ("QObject", "打开固件"): ("Open package", "Otwórz plik"),
    ("QObject", "请确认是否已经连接设备,并且已经进入升级模式..."): (
        "Please confirm the connection device and enter the upgrade mode...",
        "Upewnij się, że urządzenie jest połączone i w trybie aktualizacji..."),
    ("QObject", "固件加载完成: "): ("Update package loading completed:", "Wczytano plik aktualizacji: "),
    ("QObject", "固件文件超过51200字节,未加载: "): (
        "The file is larger than 51200 bytes and was not loaded: ", "Plik większy niż 51200 bajtów, nie wczytano: "),
    ("QObject", "固件文件无法读取,未加载....."): (
        "The file could not be read and was not loaded.....", "Nie można odczytać pliku, nie wczytano....."),
    ("QObject", "请选择并打开要更新的固件....."): (
        "Please select and open firmware to update....", "Wybierz i otwórz plik aktualizacji...."),
    ("QObject", "发生异常错误请重新尝试....."): (
        "An error occurred. Please try again....", "Wystąpił błąd. Spróbuj ponownie...."),
    ("QObject", "正在请求升级等待响应..."): (
        "Requesting upgrade to wait for response...", "Żądanie aktualizacji, oczekiwanie na odpowiedź..."),
    ("QObject", "响应超时请重新尝试....."): (
        "Try again after responding to timeout...", "Brak odpowiedzi. Spróbuj ponownie..."),
    ("QObject", "升级完成5s后进入主程序..."): (
        "Upgrade completed 5 seconds after entering the main program...",
        "Aktualizacja zakończona, program urządzenia ruszy za 5 s..."),
    ("QObject", "升级包存在异常升级失败请检查后重新尝试..."): (
        "Upgrade package exception. Please try again after checking...",
        "Błędny plik aktualizacji, aktualizacja nieudana. Sprawdź i spróbuj ponownie..."),
    ("QObject", "系统已经进入升级模式...."): (
        "The system has entered the upgrade mode...", "Urządzenie jest w trybie aktualizacji...."),
    ("QObject", "系统已经进入正常模式系统版本:"): (
        "System started normal operation version number:", "Urządzenie pracuje normalnie, wersja:"),
    ("QObject", "可以用\"另存\"保存到其他文件夹."): (
        "Use \"Save as\" to save it in another folder.", "Użyj \"Zapisz jako\", aby zapisać w innym folderze."),
    ("QObject", "语言设置无法保存:"): ("The language setting cannot be saved:", "Nie można zapisać ustawienia języka:"),
    ("QObject", "没有使用此端口的权限: 请把用户加入 \"%1\" 组 (sudo usermod -aG %1 $USER), 然后重新登录."): (
        "You may not use this port: add yourself to the group \"%1\" (sudo usermod -aG %1 $USER), then log in again.",
        "Brak uprawnień do portu: dodaj swoje konto do grupy \"%1\" (sudo usermod -aG %1 $USER) i zaloguj się ponownie."),
    ("QObject", "管理机没有应答,请检查电源和连接线....."): (
        "The unit does not answer. Check its power and the cable.....",
        "Urządzenie nie odpowiada. Sprawdź zasilanie i kabel....."),
    ("QObject", "无法打开此文件, 请手动打开:"): (
        "No program here opens this file; open it yourself:", "Nie ma tu programu do otwarcia tego pliku; otwórz go samodzielnie:"),
    ("QObject", "没有找到此文件:"): ("This file was not found:", "Nie znaleziono pliku:"),
    ("QObject", "固件正在传输,不能更换固件....."): (
        "A transfer is running, the firmware cannot be changed now.....",
        "Trwa przesyłanie, nie można teraz zmienić oprogramowania....."),
    # Screen-reader names, the write picture's word, saves, cut type names, firmware progress.
    ("QObject", "页面"): ("Pages", "Strony"),
    ("QObject", "打开视频教程"): ("Open the video tutorial", "Otwórz samouczek wideo"),
    ("QObject", "点我^.^打开视频教程"): ("Click to open the video tutorial", "Kliknij, aby otworzyć samouczek wideo"),
    ("QObject", "版本更新记录"): ("Release notes", "Informacje o wersjach"),
    ("QObject", "添加小票内容"): ("Add a ticket line", "Dodaj wiersz biletu"),
    ("QObject", "写入小票内容"): ("Write the ticket page", "Zapisz stronę biletu"),
    ("QObject", "小票预览"): ("Ticket preview", "Podgląd biletu"),
    ("QObject", "端口"): ("Port", "Port"),
    ("QObject", "端口名称"): ("Port name", "Nazwa portu"),
    ("QObject", "设置类型名称"): ("Set type names", "Ustaw nazwy typów"),
    ("QObject", "设置系统参数"): ("Set system parameters", "Ustaw parametry systemu"),
    ("QObject", "设置取号器配对"): ("Set dispenser pairing", "Ustaw parowanie dozowników"),
    ("QObject", "通信记录"): ("Communication log", "Dziennik komunikacji"),
    ("QObject", "行"): ("Line", "Wiersz"),
    ("QObject", "内容"): ("Contents", "Treść"),
    ("QObject", "空行"): ("Blank lines", "Puste wiersze"),
    ("QObject", "升级记录"): ("Upgrade log", "Dziennik aktualizacji"),
    ("QObject", "实时预览"): ("Live preview", "Podgląd na żywo"),
    ("QObject", "写"): ("Write", "Zapisz"),
    ("QObject", "已保存:"): ("Saved:", "Zapisano:"),
    ("QObject", "记录文件无法写入, 写入管理机的操作不受影响:"): (
        "The record file cannot be written; what is written to the unit is not affected:",
        "Nie można zapisać pliku rejestru; nie ma to wpływu na zapis do urządzenia:"),
    ("QObject", "类型名称最多%1字节(一个汉字占2字节), 多出的部分不会发送: \"%2\""): ("A type name takes at most %1 bytes (2 for a Chinese character); this part is not sent: \"%2\"", "Nazwa typu ma najwyżej %1 bajtów (2 na znak chiński); ta część nie zostanie wysłana: \"%2\""),
    ("QObject", "升级进度"): ("Upgrade progress", "Postęp aktualizacji"),
    ("QObject", "已发送 %1/%2 包"): ("Sent %1 of %2 packages", "Wysłano %1 z %2 pakietów"),
    ("QObject", "剩余约 %1 秒"): ("About %1 s left", "Pozostało ok. %1 s"),
    ("QObject", "配置文件缺少 %1, 按空值或 0 载入, 文件没有改写: %2"): (
        "The settings file lacks %1; loaded as empty or 0, the file was not rewritten: %2",
        "W pliku ustawień brakuje %1; wczytano jako puste lub 0, pliku nie przepisano: %2"),
    ("QObject", "键 %1 的值是 %2(...) 形式的数据, 配置文件只存文字和数字"): (
        "The key %1 holds a %2(...) value; a settings file holds only text and numbers",
        "Klucz %1 zawiera wartość %2(...); plik ustawień zawiera tylko tekst i liczby"),
    ("QObject", "保存时文件或文件夹被换掉了, 没有写入"): (
        "The file or its folder was replaced during the save; nothing was written",
        "Plik lub jego folder został podmieniony podczas zapisu; nic nie zapisano"),
    # Units found on the network, and the certificate name of an address.
    ("QObject", "name= 须是证书上的主机名"): (
        "name= must be the host name on the certificate", "name= musi być nazwą hosta z certyfikatu"),
    ("QObject", "管理机位置: %1"): ("The unit is at: %1", "Urządzenie jest pod adresem: %1"),
    ("QObject", "%1: 在网络上发现, 主机 %2"): ("%1: found on the network, host %2", "%1: znalezione w sieci, host %2"),
    ("QObject", "证书按系统的证书库验证 (还没有输入过带 ca= 的 TLS 地址)"): (
        "Its certificate is checked against the system's store (no TLS address with ca= typed yet)",
        "Certyfikat jest sprawdzany w magazynie systemu (nie wpisano jeszcze adresu TLS z ca=)"),
    ("QObject", "证书须由最后输入的 TLS 地址的 ca= 签发: %1"): (
        "Its certificate must come from the ca= of the last TLS address typed: %1",
        "Certyfikat musi pochodzić od ca= ostatnio wpisanego adresu TLS: %1"),
    # Broken and hostile units and servers: TLS files, handshakes, addresses, bounded transfers.
    ("QObject", "CA 文件"): ("CA file", "Plik CA"),
    ("QObject", "客户端证书"): ("Client certificate", "Certyfikat klienta"),
    ("QObject", "客户端私钥"): ("Client key", "Klucz klienta"),
    ("QObject", "%1: 文件不存在"): ("%1: the file does not exist", "%1: plik nie istnieje"),
    ("QObject", "%1: 不是普通的 PEM 文件"): ("%1: not a regular PEM file", "%1: to nie jest zwykły plik PEM"),
    ("QObject", "%1: 无法读取 (%2)"): ("%1: cannot be read (%2)", "%1: nie można odczytać (%2)"),
    ("QObject", "%1: 不是 PEM 文件"): ("%1: not a PEM file", "%1: to nie jest plik PEM"),
    ("QObject", "%1: 不是 PEM 格式的证书"): ("%1: holds no PEM certificate", "%1: nie zawiera certyfikatu PEM"),
    ("QObject", "%1: 其他用户可以读取此私钥, 所以不使用它; 请执行 chmod 600 %2"): (
        "%1: other users can read this private key, so it is not used; run chmod 600 %2",
        "%1: inni użytkownicy mogą odczytać ten klucz prywatny, więc nie jest używany; wykonaj chmod 600 %2"),
    ("QObject", "%1: 同组用户可以读取此私钥 (chmod 600 %2 可以避免)"): (
        "%1: users of the file's group can read this private key (chmod 600 %2 stops that)",
        "%1: użytkownicy grupy pliku mogą odczytać ten klucz prywatny (chmod 600 %2 temu zapobiega)"),
    ("QObject", "%1: 私钥有密码保护, 本程序不支持; 请用 openssl pkey -in %2 -out 新文件 去掉密码"): (
        "%1: the private key is protected by a passphrase, which is not supported; remove it with openssl pkey -in %2 -out NEW-FILE",
        "%1: klucz prywatny jest chroniony hasłem, co nie jest obsługiwane; usuń hasło poleceniem openssl pkey -in %2 -out NOWY-PLIK"),
    ("QObject", "%1: 不是可用的 PEM 私钥 (支持 RSA, EC 和 DSA)"): (
        "%1: holds no usable PEM private key (RSA, EC and DSA keys are)",
        "%1: nie zawiera użytecznego klucza prywatnego PEM (obsługiwane są klucze RSA, EC i DSA)"),
    ("QObject", "%1: 私钥与证书 %2 不匹配"): (
        "%1: the private key does not belong to the certificate %2", "%1: klucz prywatny nie należy do certyfikatu %2"),
    ("QObject", "TLS 握手超时: %1 在 %2 秒内没有完成 TLS 握手 (它是 TLS 服务器吗?)"): (
        "TLS handshake timed out: %1 did not complete it within %2 s (is it a TLS server?)",
        "Przekroczono czas uzgadniania TLS: %1 nie zakończył go w ciągu %2 s (czy to serwer TLS?)"),
    ("QObject", "TLS 握手失败: %1: %2"): ("TLS handshake failed: %1: %2", "Uzgadnianie TLS nie powiodło się: %1: %2"),
    ("QObject", "客户端证书或私钥不能使用: %1"): (
        "The client certificate or key cannot be used: %1", "Nie można użyć certyfikatu lub klucza klienta: %1"),
    ("QObject", "服务器的证书没有验证 (insecure)"): (
        "the server's certificate is NOT verified (insecure)", "certyfikat serwera NIE jest sprawdzany (insecure)"),
    ("QObject", "此服务器使用 telnet: 请用 rfc2217:// 地址"): (
        "this server speaks telnet: use rfc2217://", "ten serwer używa telnetu: użyj rfc2217://"),
    ("QObject", "不能通过此连接升级固件: 服务器使用 telnet, 会改动固件里的 0xFF 字节; 请用 rfc2217:// 地址"): (
        "No firmware update over this link: the server speaks telnet and would change the image's 0xFF bytes; use an rfc2217:// address",
        "Nie można aktualizować oprogramowania przez to połączenie: serwer używa telnetu i zmieniłby bajty 0xFF obrazu; użyj adresu rfc2217://"),
    ("QObject", "地址不能带片段 \"%1\""): ("an address has no fragment: \"%1\"", "adres nie może mieć fragmentu: \"%1\""),
    ("QObject", "地址不能带用户名 \"%1\""): ("an address has no user name: \"%1\"", "adres nie może zawierać nazwy użytkownika: \"%1\""),
    ("QObject", "选项名是空的: \"%1\""): ("an option without a name: \"%1\"", "opcja bez nazwy: \"%1\""),
    ("QObject", "\"?\" 后面没有选项"): ("no option after \"?\"", "brak opcji po \"?\""),
    ("QObject", "选项 %1 出现了两次"): ("the option %1 is given twice", "opcja %1 jest podana dwa razy"),
    ("QObject", "选项 %1 只能写成 %1 或 %1=1"): ("the option %1 is written %1 or %1=1", "opcję %1 zapisuje się jako %1 lub %1=1"),
    ("QObject", "选项 %1= 是空的"): ("the option %1= is empty", "opcja %1= jest pusta"),
    ("QObject", "管理机在收到全部固件之前报告升级完成 (已发送 %1/%2 包): 升级没有完成, 请重新尝试....."): (
        "The unit reported the upgrade complete before it had the whole image (%1 of %2 packages sent): the upgrade did not finish. Please try again.....",
        "Urządzenie zgłosiło koniec aktualizacji, zanim otrzymało cały obraz (wysłano %1 z %2 pakietów): aktualizacja nie została ukończona. Spróbuj ponownie....."),
    ("QObject", "管理机请求了 %1 个包, 而固件只有 %2 个包: 升级已停止, 请检查后重新尝试....."): (
        "The unit asked for %1 packages of an image of %2: the upgrade was stopped. Please check and try again.....",
        "Urządzenie zażądało %1 pakietów obrazu liczącego %2: aktualizację przerwano. Sprawdź i spróbuj ponownie....."),
    ("QObject", "状态:连接中"): ("Connecting", "Łączenie"),
    ("QObject", "注意: "): ("Note: ", "Uwaga: "),
}


def fill(path: Path, column: int, language: str) -> list:
    tree = ET.parse(path)
    tree.getroot().set("language", language)
    tree.getroot().set("sourcelanguage", "zh_CN")
    missing = []
    for context in tree.getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            source = message.findtext("source")
            translation = message.find("translation")
            texts = TEXTS.get((name, source))
            if texts is None:
                missing.append(f"{name}: {source!r}")
                continue
            translation.text = texts[column]
            translation.attrib.pop("type", None)
    ET.indent(tree, space="    ")
    with open(path, "wb") as out:
        out.write(b'<?xml version="1.0" encoding="utf-8"?>\n<!DOCTYPE TS>\n')
        tree.write(out, encoding="utf-8", xml_declaration=False)
        out.write(b"\n")
    return missing


def main() -> int:
    root = Path(__file__).resolve().parent.parent / "Res"
    missing = fill(root / "LANG_English.ts", 0, "en_US") + fill(root / "LANG_Poland.ts", 1, "pl_PL")
    for line in sorted(set(missing)):
        print("no translation for", line, file=sys.stderr)
    return 1 if missing else 0


if __name__ == "__main__":
    sys.exit(main())
