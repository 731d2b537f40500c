; Setup's own lines in German, for the language MUI_LANGUAGE loaded just
; before (LangString 0); NSIS translates the standard pages. UTF-8, which
; makensis converts to the language's code page for the ANSI setup.
LangString LanguagePageTitle 0 "Sprache wählen"
LangString LanguagePageSubtitle 0 "Wählen Sie die Sprache, in der Velocine seine Fenster zeigt."
LangString LanguagePageText 0 "Velocine zeigt seine Fenster in der unten gewählten Sprache. Sie können sie jederzeit im Hauptfenster von Velocine ändern."
LangString StartVelocine 0 "Velocine jetzt starten"
LangString VelocineRunning 0 "Velocine wird gerade ausgeführt. Bitte schließen Sie Velocine und klicken Sie dann auf „Wiederholen“."
LangString AdministratorNeeded 0 "Velocine ändert Einstellungen, die nur ein Administrator ändern darf.$\r$\nBitte melden Sie sich als Administrator an und starten Sie dieses Programm erneut."
LangString BackupKept 0 "Velocine hat die Sicherung Ihrer ursprünglichen Verbindungseinstellungen behalten.$\r$\nWenn Sie Velocine erneut installieren, stellt die Schaltfläche „Verbindung zurücksetzen“ sie weiterhin wieder her."
LangString UninstallFolder 0 "Ordner:"
