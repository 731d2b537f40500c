; Setup's own lines in French, for the language MUI_LANGUAGE loaded just
; before (LangString 0); NSIS translates the standard pages. UTF-8, which
; makensis converts to the language's code page for the ANSI setup.
LangString LanguagePageTitle 0 "Choix de la langue"
LangString LanguagePageSubtitle 0 "Choisissez la langue des fenêtres de Velocine."
LangString LanguagePageText 0 "Velocine affichera ses fenêtres dans la langue choisie ci-dessous. Vous pourrez la changer à tout moment dans la fenêtre principale de Velocine."
LangString StartVelocine 0 "Lancer Velocine maintenant"
LangString VelocineRunning 0 "Velocine est en cours d'exécution. Fermez-le, puis cliquez sur « Réessayer »."
LangString AdministratorNeeded 0 "Velocine modifie des réglages que seul un administrateur peut modifier.$\r$\nOuvrez une session en tant qu'administrateur et relancez ce programme."
LangString BackupKept 0 "Velocine a conservé la sauvegarde de vos réglages de connexion d'origine.$\r$\nSi vous réinstallez Velocine, son bouton « Rétablir les réglages » pourra toujours les remettre en place."
LangString UninstallFolder 0 "Dossier :"
