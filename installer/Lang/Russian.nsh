; Setup's own lines in Russian, for the language MUI_LANGUAGE loaded just
; before (LangString 0); NSIS translates the standard pages. UTF-8, which
; makensis converts to the language's code page for the ANSI setup.
LangString LanguagePageTitle 0 "Выбор языка"
LangString LanguagePageSubtitle 0 "Выберите язык, на котором Velocine показывает свои окна."
LangString LanguagePageText 0 "Velocine будет показывать свои окна на языке, выбранном ниже. Его можно в любой момент изменить в главном окне Velocine."
LangString StartVelocine 0 "Запустить Velocine"
LangString VelocineRunning 0 "Velocine запущен. Закройте его и нажмите «Повтор»."
LangString AdministratorNeeded 0 "Velocine изменяет настройки, которые может менять только администратор.$\r$\nВойдите в систему как администратор и запустите эту программу снова."
LangString BackupKept 0 "Velocine сохранил резервную копию исходных настроек подключения.$\r$\nЕсли снова установить Velocine, кнопка «Вернуть настройки» по-прежнему сможет их восстановить."
LangString UninstallFolder 0 "Папка:"
