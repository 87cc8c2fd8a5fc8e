#include "tweaks/TweakCatalogue.h"

namespace {

using platform::HKEY_CURRENT_USER;
using platform::HKEY_LOCAL_MACHINE;
using platform::HKEY_USERS;

const char* const Desktop = "\\Control Panel\\Desktop";
const char* const ExplorerPolicies = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
const char* const InternetSettings = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
const char* const LanmanServer = "\\System\\CurrentControlSet\\Services\\LanmanServer\\Parameters";
const char* const WindowsNt = "\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
const char* const DefaultDesktop = "\\.DEFAULT\\Control Panel\\Desktop";

} // namespace

TweakCatalogue::TweakCatalogue()
    : entries_{{
          {"Show Windows Version On Desktop", Desktop, "PaintDesktopVersion", "dword",
           "If you type the value 1 the Windows' version will be visible on the down-right corner of your "
           "desktop. Otherwise the Windows' version will not appear.",
           "0 or 1", HKEY_CURRENT_USER, teLogoff},
          {"Disable Personalized Menus Option", ExplorerPolicies, "IntelliMenus", "dword",
           "If you type the value 1 the menus will always FULL expand. Otherwise they will only show the "
           "items you use more. After you type 1 the option 'Personalised Menus' Will NOT be visible."
           " To make it visible again (and enable 'Personalised Menus' option type the value 0",
           "0, 1", HKEY_CURRENT_USER, teLogoff},
          {"Menu Delay", Desktop, "MenuShowDelay", "string",
           "Type an integer which will represent the menu delay in millseconds. This is the time you must "
           "have the mouse pointer over a menu to expand it.",
           "Any integer", HKEY_CURRENT_USER, teLogoff},
          {"No Shared Documents", ExplorerPolicies, "NoSharedDocuments", "dword",
           "Type 1 if you don't want your shared documents to be published", "0 or 1", HKEY_CURRENT_USER,
           teLogoff},
          {"Disable Ctrl + Alt + Delete", "\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon",
           "DisableCAD", "dword",
           "If you want the initial dialog that prompts you to hit ALT+CTRL+DEL to appear every time in the "
           "login screen then type the value 0. Otherwise type the value 1 and every time that Windows start "
           "you will not have to do this ",
           "0 or 1", HKEY_LOCAL_MACHINE, teRestart},
          {"Unhide the Administrator Account",
           "\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\SpecialAccounts\\UserList",
           "Administrator", "dword",
           "If you want the Administrator's account to be visible in the initial list of users type the "
           "value "
           "1. You must have fast user switching on.",
           "0 or 1", HKEY_LOCAL_MACHINE, teRestart},
          {"Maximun Connection per HTTP 1.0 Server", InternetSettings, "MaxConnectionsPer1_0Server", "dword",
           "Type the number of simultaneous connections with a HTTP 1.0 Server. This means that you can "
           "control the number of simultaneous downloads with Internet Explorer. By default you can only "
           "download 2 files at the same time",
           "Any integer", HKEY_CURRENT_USER, teImmediate},
          {"Maximun Connection per HTTP 1.1 Server", InternetSettings, "MaxConnectionsPerServer", "dword",
           "Type the number of simultaneous connections with a HTTP 1.1 Server. This means that you can "
           "control the number of simultaneous downloads with Internet Explorer. By default you can only "
           "download 2 files at the same time",
           "Any integer", HKEY_CURRENT_USER, teImmediate},
          {"Login Screen Saver", DefaultDesktop, "SCRNSAVE.EXE", "string",
           "If you want to change the screen saver that runs before you login, type here its name",
           "Any valid screensaver's name", HKEY_USERS, teRestart},
          {"User Agent's Information", InternetSettings, "User Agent", "string",
           "Type a string that will inform the web sites about your browser", "Any string", HKEY_CURRENT_USER,
           teImmediate},
          {"Enable Server's Auto Share", LanmanServer, "AutoShareServer", "dword",
           "Type 0 if you don't want your Windows SERVER to automatically create HD shares (C$, D$, E$ "
           "e.t.c.)",
           "0 or 1", HKEY_LOCAL_MACHINE, teLogoff},
          {"Enable Workstation's  Auto Share", LanmanServer, "AutoShareWks", "dword",
           "Type 0 if you don't want your Windows WORKSTATION to automatically create HD shares (C$, D$, E$ "
           "e.t.c.)",
           "0 or 1", HKEY_LOCAL_MACHINE, teRestart},
          {"Show Hidden Devices", "\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment",
           "DEVMGR_SHOW_NONPRESENT_DEVICES", "string",
           "You can see the hidden devices in the Device Manager if you type the value 1.\n\rThis is a "
           "permanent setting. The other way is to open the Device Manager and click View->Show Hidden "
           "Devices",
           "0 or 1", HKEY_LOCAL_MACHINE, teLogoff},
          {"Retain Desktop Settings",
           "\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Program Manager\\Restrictions",
           "NoSaveSettings", "dword",
           "If your desktop or your folders on the desktop do not retain their settings type the value 0",
           "0 or 1", HKEY_CURRENT_USER, teLogoff},
          {"Clear Page File On Each Shutdown",
           "\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management",
           "ClearPageFileAtShutdown", "dword",
           "If you want to clear the page file on each shutdown or restart type the value 1", "0 or 1",
           HKEY_LOCAL_MACHINE, teRestart},
          {"Registered Owner", WindowsNt, "RegisteredOwner", "string",
           "If you want to change the registered owner of your Windows System type here the new name",
           "Any string", HKEY_LOCAL_MACHINE, teLogoff},
          {"Registered Organization", WindowsNt, "RegisteredOrganization", "string",
           "If you want to change the registered organization of your Windows System type here the new name",
           "Any string", HKEY_LOCAL_MACHINE, teLogoff},
          {"Installation's Source Path", WindowsNt, "SourcePath", "string",
           "If you want to change the Installation's Source Path type here the new path", "Any string",
           HKEY_LOCAL_MACHINE, teLogoff},
          {"Enable Proxy", InternetSettings, "ProxyEnable", "dword",
           "If you want to enable proxy redirection type the value 1. On the next tweak type the proxy's "
           "name "
           "and port",
           "0 or 1", HKEY_CURRENT_USER, teImmediate},
          {"Proxy's Settings", InternetSettings, "ProxyServer", "string",
           "Type the name of the Proxy Server (and his listening port) you want to use. The other way to do "
           "the same thing is by opening Internet Setting->Connections",
           "Any valid string in the format proxy_name:port_number.", HKEY_CURRENT_USER, teImmediate},
          {"Initial Keys' State", "\\Control Panel\\Keyboard", "InitialKeyboardIndicators", "string",
           "Depending of the number you will type, this/those keys will be enabled when your system "
           "starts\n\r"
           "0 - All Keys off\n\r"
           "1 - Caps Lock on\n\r"
           "2 - Num Lock on\n\r"
           "3 - Caps Lock and Num Lock on\n\r"
           "4 - Scroll Lock on\n\r"
           "5 - Caps Lock and Scroll Lock on\n\r"
           "6 - Num Lock and Scroll Lock on\n\r"
           "7 - Caps Lock, Num Lock, and Scroll Lock on \n\r",
           "0,1,2,3,4,5,6,7", HKEY_CURRENT_USER, teLogoff},
          {"Problematic Power OFF", DefaultDesktop, "PowerOffActive", "string",
           "If your computer does not turn off the power when doing a shutdown, you may need to type the "
           "value 1",
           "0 or 1", HKEY_USERS, teRestart},
      }} {}
