; Setup's own lines in Spanish, for the language MUI_LANGUAGE loaded just
; before (LangString 0); NSIS translates the standard pages. UTF-8, which
; makensis converts to the language's code page for the ANSI setup.
LangString LanguagePageTitle 0 "Elegir idioma"
LangString LanguagePageSubtitle 0 "Elija el idioma en que Velocine muestra sus ventanas."
LangString LanguagePageText 0 "Velocine mostrará sus ventanas en el idioma elegido a continuación. Puede cambiarlo en cualquier momento en la ventana principal de Velocine."
LangString StartVelocine 0 "Iniciar Velocine ahora"
LangString VelocineRunning 0 "Velocine se está ejecutando. Ciérrelo y haga clic en «Reintentar»."
LangString AdministratorNeeded 0 "Velocine cambia ajustes que solo un administrador puede cambiar.$\r$\nInicie sesión como administrador y vuelva a ejecutar este programa."
LangString BackupKept 0 "Velocine ha conservado la copia de seguridad de sus ajustes de conexión originales.$\r$\nSi vuelve a instalar Velocine, su botón «Restablecer configuración» podrá seguir recuperándolos."
LangString UninstallFolder 0 "Carpeta:"
