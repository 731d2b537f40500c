; Setup's own lines in Italian, for the language MUI_LANGUAGE loaded just
; before (LangString 0); NSIS translates the standard pages. UTF-8, which
; makensis converts to the language's code page for the ANSI setup.
LangString LanguagePageTitle 0 "Scelta della lingua"
LangString LanguagePageSubtitle 0 "Scegliere la lingua in cui Velocine mostra le sue finestre."
LangString LanguagePageText 0 "Velocine mostrerà le sue finestre nella lingua scelta qui sotto. È possibile cambiarla in qualsiasi momento nella finestra principale di Velocine."
LangString StartVelocine 0 "Avvia Velocine ora"
LangString VelocineRunning 0 "Velocine è in esecuzione. Chiuderlo, quindi fare clic su «Riprova»."
LangString AdministratorNeeded 0 "Velocine modifica impostazioni che solo un amministratore può modificare.$\r$\nAccedere come amministratore ed eseguire di nuovo questo programma."
LangString BackupKept 0 "Velocine ha conservato il backup delle impostazioni di connessione originali.$\r$\nSe si installa di nuovo Velocine, il pulsante «Ripristina impostazioni» potrà ancora ripristinarle."
LangString UninstallFolder 0 "Cartella:"
