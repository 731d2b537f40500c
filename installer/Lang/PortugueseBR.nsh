; Setup's own lines in PortugueseBR, for the language MUI_LANGUAGE loaded just
; before (LangString 0); NSIS translates the standard pages. UTF-8, which
; makensis converts to the language's code page for the ANSI setup.
LangString LanguagePageTitle 0 "Escolha do idioma"
LangString LanguagePageSubtitle 0 "Escolha o idioma em que o Velocine mostra suas janelas."
LangString LanguagePageText 0 "O Velocine mostrará suas janelas no idioma escolhido abaixo. Você pode alterá-lo a qualquer momento na janela principal do Velocine."
LangString StartVelocine 0 "Iniciar o Velocine agora"
LangString VelocineRunning 0 "O Velocine está em execução. Feche-o e clique em “Repetir”."
LangString AdministratorNeeded 0 "O Velocine altera configurações que só um administrador pode alterar.$\r$\nFaça logon como administrador e execute este programa novamente."
LangString BackupKept 0 "O Velocine manteve o backup das suas configurações de conexão originais.$\r$\nSe você instalar o Velocine novamente, o botão “Restaurar configurações” ainda poderá restaurá-las."
LangString UninstallFolder 0 "Pasta:"
