; Setup's own lines in Japanese, for the language MUI_LANGUAGE loaded just
; before (LangString 0); NSIS translates the standard pages. UTF-8, which
; makensis converts to the language's code page for the ANSI setup.
LangString LanguagePageTitle 0 "言語の選択"
LangString LanguagePageSubtitle 0 "Velocine のウィンドウに表示する言語を選んでください。"
LangString LanguagePageText 0 "Velocine は下で選んだ言語でウィンドウを表示します。言語は Velocine のメイン ウィンドウでいつでも変更できます。"
LangString StartVelocine 0 "Velocine を今すぐ起動する"
LangString VelocineRunning 0 "Velocine が実行中です。Velocine を終了してから [再試行] をクリックしてください。"
LangString AdministratorNeeded 0 "Velocine は管理者だけが変更できる設定を変更します。$\r$\n管理者としてログオンし、このプログラムをもう一度実行してください。"
LangString BackupKept 0 "Velocine は元の接続設定のバックアップを残しました。$\r$\nVelocine をもう一度インストールしても、[接続設定を元に戻す] ボタンで元に戻せます。"
LangString UninstallFolder 0 "フォルダ:"
