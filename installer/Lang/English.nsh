; Setup's own lines in English, for the language MUI_LANGUAGE loaded just
; before (LangString 0); NSIS translates the standard pages. UTF-8, which
; makensis converts to the language's code page for the ANSI setup.
LangString LanguagePageTitle 0 "Choose Language"
LangString LanguagePageSubtitle 0 "Choose the language Velocine shows its windows in."
LangString LanguagePageText 0 "Velocine will show its windows in the language chosen below. You can change it at any time in Velocine's main window."
LangString StartVelocine 0 "Start Velocine now"
LangString VelocineRunning 0 "Velocine is running. Please close it, then click Retry."
LangString AdministratorNeeded 0 "Velocine changes settings that only an administrator may change.$\r$\nPlease log on as an administrator and run this program again."
LangString BackupKept 0 "Velocine has kept the backup of your original connection settings.$\r$\nIf you install Velocine again, its Reset button can still put them back."
LangString UninstallFolder 0 "Uninstalling from:"
