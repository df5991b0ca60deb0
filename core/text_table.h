// Every text the program shows or writes, in one table (menus and dialogs are in res/), as the
// macro VARNEL_TEXTS: core/texts.h makes each a constant; the tests compile it once more as
// UTF-8 to check the bytes the build made. Only the table is here, so that a file compiled with
// another execution character set can read it without a second definition of the constants.
#pragma once

// clang-format off
#define VARNEL_TEXTS(X) \
    /* The steps of a batch, in the status bar. */ \
    X(kStepFresh, "<1> リネーム対象を開きます") \
    X(kStepAdded, "<1> 追加・操作できます。次は出力") \
    X(kStepExported, "<2> 出力しました。次は入力") \
    X(kStepRenamable, "<3> リネーム可能です") \
    X(kStepRenamed, "<3> リネーム完了。最初に戻せます") \
    /* Long work in the status bar: what, then how far. */ \
    X(kWorkAdding, "追加中") \
    X(kWorkChecking, "名前を確認中") \
    X(kWorkRenaming, "リネーム中") \
    X(kWorkRestoring, "最初の名前に戻し中") \
    X(kWorkPreparing, "リネームの準備中") \
    X(kWorkRecovering, "中断されたリネームを戻し中") \
    X(kWorkReviewing, "中断されたリネームを確認中") \
    X(kWorkUndoing, "リネームを元に戻し中") \
    X(kWorkProgress, "%1… %2 / %3") \
    /* The list's columns. */ \
    X(kColumnEditWithExtension, "エディット（拡張子：表示）") \
    X(kColumnEditWithoutExtension, "エディット（拡張子：未表示）") \
    X(kColumnNow, "現在の名前（ﾘﾈｰﾑ時更新）") \
    X(kColumnFirst, "最初の名前（固定）") \
    X(kColumnPlace, "位置（固定）") \
    X(kOpenDialogTitle, "リネーム対象を追加") \
    /* Where a path or a line too long to show is cut. */ \
    X(kCutMark, "…") \
    /* Adding: one path refused, or several in one box. */ \
    X(kTitleAdding, "警告：ファイル・フォルダの追加") \
    X(kReasonPathTooLong, "パスが長すぎます") \
    X(kAddPathTooLong, "%1\n\nパスが長すぎる（全体で 32,759 文字、名前ひとつで 255 文字まで）ため、\n追加を無視します。") \
    X(kReasonRoot, "ドライブやネットワーク共有のルートはリネームできません") \
    X(kAddRoot, "%1\n\nドライブやネットワーク共有のルートはリネームできないため、\n追加を無視します。") \
    X(kReasonRelative, "フォルダから始まる完全なパスではありません") \
    X(kAddRelative, "%1\n\nフォルダから始まる完全なパスではないため、\n追加を無視します。") \
    X(kReasonNotText, "文字として読めないバイトを含んでいます") \
    X(kAddNotText, "%1\n\n文字として読めないバイトを含むパスのため（? の所）、\n追加を無視します。") \
    X(kReasonListedAgain, "既に開いているファイル・フォルダです") \
    X(kAddListedAgain, "追加を無視するパス\n%1\n追加を無視するパスの旧名（追加済み）\n%2\n\n既に開いているファイル・フォルダを追加しようとしました。\nこれはリネーム時に誤動作を起こすため追加を無視します。") \
    X(kReasonAroundListed, "既に登録されたパスを階上（下）に持つフォルダです") \
    X(kAddAroundListed, "既に登録されているファイル・フォルダ\n%1\n追加を無視するフォルダ\n%2\n\n既に登録されたパスを階上（下）に持つフォルダを追加しようとしました。\nこれはリネーム時に無効になる可能性があり、\n設定で禁止されているため追加を無視します。") \
    X(kReasonUnderListed, "既に登録されたフォルダの階下にあるファイルです") \
    X(kAddUnderListed, "既に登録されているフォルダ\n%1\n追加を無視するファイル\n%2\n\n既に登録されたフォルダの階下にあるファイルを追加しようとしました。\nこれはリネーム時に無効になる可能性があり、\n設定で禁止されているため追加を無視します。") \
    X(kAddMany, "%1 件のパスを追加しませんでした。\n\n") \
    X(kAddManyLine, "%1\n　%2\n") \
    X(kMoreItems, "ほか %1 件\n") \
    X(kHandOverTooLarge, "別の Varnel から渡されたパスの文字列が大きすぎる（%1 バイト）ため、\n追加を無視しました。") \
    /* Names typed or imported, and the targets of a pass. */ \
    X(kTitleBadName, "警告：ファイル名が不正") \
    X(kNameIllegalCharacters, "%1\n\n『 \\ / : * ? \" < > | 』を含んでいるため、\n入力を中止します。") \
    X(kNameDotsOnly, "%1\n\nファイル名が『 』と『.』のみ、\nもしくはありません。\n入力を中止します。") \
    X(kTitleNameLength, "警告：名前の長さ") \
    X(kNamesTooLong, "名前が長すぎる（%1 文字を超える）ため、\n%2 行のエディットを変更しませんでした。") \
    X(kNamesTooLongFirstRow, "\n\n行：%1") \
    X(kNamesTooLongNextRow, "、%1") \
    X(kMoreRows, " ほか %1 行") \
    X(kNumberedLine, "%1 行：%2\n") \
    X(kNameCannotBeMade, "この名前にはリネームできない\n\n%1\n%2") \
    X(kNamesDuplicate, "入力されたもの同士でファイル名が被っている\n\n%1%2") \
    X(kNamesCollide, "リネーム実行時に他のファイルと名前が被る") \
    X(kWhySeparatorsOrDots, "「\\」「/」「:」を含む名前、空の名前、ドットと空白だけの名前は使えません。") \
    X(kWhyWildcardsOrControls, "「*」「?」「\"」「<」「>」「|」や制御文字を含む名前は使えません。") \
    X(kWhyTrailingDotOrBlank, "末尾がドットか空白の名前は使えません（Windows が末尾を削ってしまいます）。") \
    X(kWhyDeviceName, "CON、PRN、AUX、NUL、COM0～COM9、LPT0～LPT9 は装置の名前のため、拡張子を付けても使えません。") \
    /* The pass. */ \
    X(kTitleBadNameError, "エラー：ファイル名が不正") \
    X(kTitleBadNameFatal, "致命的エラー：ファイル名が不正") \
    X(kPassOccupied, "[NOW]\n%1\n[TO]\n%2\n\nリネーム実行時にこのファイルは何らかの理由で存在できない") \
    X(kSameFileTwice, "%1\n\nこのファイルを一覧の %2 行目と %3 行目が指しています（片方の行のファイルは、ほかのプログラムが消したか動かしたようです）。\n片方の行を一覧から消してから、もう一度実行してください。") \
    X(kTitleRename, "リネーム") \
    X(kJournalCannotWrite, "作業記録（%1）を書けません。\n記録なしで続けると、途中で止まったときに元の名前に戻せなくなります。このリネームはリネーム履歴にも残らず、あとから元に戻せません。\n\nこのまま続けますか？") \
    X(kJournalSecondStageFailed, "作業記録に書けないため、リネームを取りやめました") \
    X(kTitleRenameError, "改名Ｅｒｒ") \
    X(kMoveFailedOne, "%1\n　→ %2\n\nこの名前に変更できませんでした。\n%3") \
    X(kPassStoppedBeforeRenaming, "\n\nリネームを中止しました。ほかのファイルの名前も変えません（一時的な名前に移したものは元の名前に戻します）。") \
    X(kWhyMoveNotFound, "元のファイル・フォルダが見つかりません（移動か削除されたかもしれません）。") \
    X(kWhyMoveInUseOrDenied, "ほかのプログラムが使用中か、書き込みが許可されていないか、その名前のものが既にあります。") \
    X(kWhyMoveInvalidName, "名前に使えない文字があります。") \
    X(kWhyMoveOther, "ディスクの空きや接続などの理由で、Windows が変更できませんでした。") \
    X(kWhyMoveNoTemporaryName, "一時的な名前を付けられませんでした。") \
    X(kWhyMoveCaseUnchanged, "このドライブは大文字・小文字だけの変更を受け付けませんでした。") \
    X(kWhyMoveWithAnother, "一緒に名前を入れ替えるファイルが変更できないため、元の名前に戻しました。") \
    X(kTitleRenameReport, "警告：名前を変更できなかったファイル") \
    X(kPassReport, "%1 件の名前を変更し、%2 件は変更できませんでした。\n変更できなかったものは、一覧に今の名前のまま残っています。\n\n") \
    X(kPassReportLine, "%1\n　→ %2：%3\n") \
    X(kPassRetried, "\n（ほかのプログラムが一時的に使っていたため、%1 回の移動は少し待ってからやり直しました）\n") \
    X(kPassReportCopy, "\nこの一覧をすべてクリップボードにコピーしますか？") \
    X(kTitleTemporaryName, "致命的エラー：TempRename") \
    X(kNoTemporaryName, "なんか失敗") \
    /* A pass that was cut short, offered back at the next start. */ \
    X(kTitleInterrupted, "確認：中断されたリネーム") \
    X(kInterruptedQuestion, "前回のリネームが途中で止まったままです。\n（作業記録：%1）\n\n次のファイルをリネーム前の名前に戻します：\n") \
    X(kInterruptedUndoQuestion, "前回の「元に戻す」（リネーム履歴から）が途中で止まったままです。\n（作業記録：%1）\n\n次のファイルを、そのリネームの前の名前に戻して、元に戻すを終えます：\n") \
    X(kInterruptedMoving, "%1　（今の名前：%2）") \
    X(kInterruptedUntouched, "（そのリネームで動いたものと確かめられないファイル %1 件は、そのままにします）\n") \
    X(kInterruptedAsk, "\nそのリネームで動いたファイルを、リネーム前の名前に戻しますか？\n\n「いいえ」なら何もせず、次の起動時にまた確認します。\n「キャンセル」なら今の名前のまま残し、作業記録を消します（もう一度確認します）。") \
    X(kTitleForgetJournal, "確認：今の名前のまま残す") \
    X(kNothingToPutBack, "前回のリネームの作業記録（%1）が残っていますが、戻せるファイルはもうありません：\n\n") \
    X(kForgetNothingLeft, "\n作業記録を消しますか？\n「いいえ」なら残し、次の起動時にまた確認します。") \
    X(kForgetJournal, "ファイルを今の名前のまま残し、作業記録（%1）を消しますか？\n\n消すと、このリネームを起動時に戻すことはできなくなります。") \
    /* The editing tool. */ \
    X(kTitleToolNotStarted, "警告：ツールを起動できません") \
    X(kToolNotStarted, "%1\n\nこのツールを起動できませんでした。\n%2\n\n名前はファイルに出力してあります。設定でツールのパスを確かめるか、ほかのエディタで開いて「ファイルから入力」してください。") \
    X(kWhyToolNotFound, "そのようなプログラムが見つかりません。") \
    X(kWhyToolDenied, "このプログラムの実行が許可されていません。") \
    X(kWhyToolNotProgram, "Windows で実行できるプログラムではありません。") \
    X(kWhyToolOther, "Windows のエラー %1 で起動できませんでした。") \
    X(kWaitNoWindow, "ファイルを開いたウィンドウが見つかりません。\n編集を保存したら「今すぐ入力」を押してください。") \
    /* The history of passes, and undoing one. */ \
    X(kTitleHistory, "リネーム履歴") \
    X(kHistoryColumnWhen, "日時") \
    X(kHistoryColumnKind, "種類") \
    X(kHistoryColumnCount, "件数") \
    X(kHistoryColumnFolder, "フォルダ") \
    X(kHistoryRename, "リネーム") \
    X(kHistoryRestore, "最初に戻す") \
    X(kHistoryKept, "中断（今の名前のまま）") \
    X(kHistoryUndone, "%1（元に戻し済み）") \
    X(kHistoryPartlyUndone, "%1（一部を元に戻し済み）") \
    X(kHistoryCount, "%1 件") \
    X(kHistoryMoreFolders, "%1（ほか %2 フォルダ）") \
    X(kUndoDone, "%1 件を、そのリネームの前の名前に戻しました。") \
    X(kUndoLeftAlone, "%1 件を、そのリネームの前の名前に戻しました。\n\n次の %2 件は、そのままにしました：\n") \
    X(kUndoAlready, "このリネームは既に元に戻してあります（ほかの Varnel が戻したか、古くなって履歴から消えました）。") \
    X(kUndoNoJournal, "作業記録を書けないため、元に戻しませんでした。何も動かしていません。") \
    X(kTitleNotPutBack, "警告：戻せなかったファイル") \
    X(kNotPutBack, "次のファイルは戻していません。\n作業記録は残してあり、次の起動時にまた確認します。\n\n") \
    X(kLeftGone, "%1　（見つからないか、その後に変わりました）") \
    X(kLeftNameTaken, "%1　（今の名前：%2。前の名前は別のファイルが使っています）") \
    X(kLeftInUse, "%1　（今の名前：%2。ほかのプログラムが使っているため動かせません）") \
    X(kLeftNotMoved, "%1　（今の名前：%2。動かせませんでした）") \
    X(kLeftWithAnother, "%1　（今の名前：%2。一緒に名前を入れ替えるファイルが動かせないため、そのままにしました）") \
    X(kLeftForeign, "%1　（そのリネームで動いたものと確かめられません）") \
    /* Export and import. */ \
    X(kTitleExport, "警告：ファイルに出力") \
    X(kExportFailed, "%1\n\n%2、\n『ファイルに出力』を中止しました。") \
    X(kWriteFolderMissing, "出力先のフォルダが見つからないため") \
    X(kWriteAccessDenied, "書き込みが許可されていないため") \
    X(kWriteInUse, "ほかのプログラムが使用中のため") \
    X(kWriteDiskFull, "ディスクの空き容量が足りないため") \
    X(kWriteBadName, "ファイル名が正しくないため") \
    X(kWriteFailed, "書き込めないため") \
    X(kWriteNoUtf8, "UTF-8 で表せない名前（対になっていないサロゲート）があるため") \
    X(kTitleFileContents, "警告：ファイルの内容") \
    X(kTitleClipboardContents, "警告：クリップボードの内容") \
    X(kCommandImportFile, "『ファイルから入力』") \
    X(kCommandImportClipboard, "『クリップボードから入力』") \
    X(kTitleListChanged, "警告：リストの変更") \
    X(kImportListChanged, "名前を出力した後でリストが変わった（追加・削除・並べ替え）ため、\n%1を中止しました。\n\nもう一度出力してから入力してください。") \
    X(kTitleFileEncoding, "確認：ファイルの文字コード") \
    X(kImportAskEncoding, "%1\n\nこのファイルは UTF-8 で保存されているかもしれません。\n\n%2\n\nUTF-8 として読むなら『はい』、Shift_JIS として読むなら『いいえ』、\n『ファイルから入力』をやめるなら『キャンセル』を選んでください。") \
    X(kImportReEncoded, "%1\n\nファイルの末尾の説明文が、Varnel の読める文字コード（Shift_JIS、UTF-8、UTF-16）の\nどれとしても読めないため、『ファイルから入力』を中止しました。\n\nエディタが別の文字コード（EUC-JP など）で保存したようです。\nShift_JIS か UTF-8 で保存し直してから、もう一度入力してください。") \
    X(kImportMayBeChanged, "次の行の名前は、ユーザーではなくエディタが書き換えたかもしれません。\n（保存した文字コードで表せない文字が置き換えられたか、読めなかった文字が置換文字 U+FFFD になっています）\n\n%1\nこのまま入力しますか？\n『いいえ』なら何も変えずに入力を中止します。") \
    X(kImportChangedRow, "%1 行目：%2 → %3\n") \
    X(kImportBothReadings, "UTF-8 なら：%1\nShift_JIS なら：%2") \
    X(kImportTooFewLines, "テキストの行数がたりないため、\n%1を中止しました。") \
    X(kImportLineTooLong, "%1 行目が長すぎるため、\n%2を中止しました。\n\n%3") \
    X(kImportNul, "%1 行目に NUL 文字があるため、\n%2を中止しました。\n\nUTF-16 で保存する場合は BOM 付きにしてください。") \
    X(kImportTooManyLines, "入力対象となる範囲の次の行\n%1\n\n入力対象となる範囲の次の行がファイル名として有効なため、\nテキストの行数が多いと判断し、\n%2を中止しました。") \
    X(kImportCannotOpen, "%1\n\nファイルを開けないため、\n『ファイルから入力』を中止しました。") \
    X(kImportNotReadable, "%1 行目が %2 として正しくないため、\n『ファイルから入力』を中止しました。") \
    X(kImportNotText, "クリップボードの内容がテキストではないため、\n入力に失敗しました。") \
    /* The footer under the names in the file and on the clipboard. */ \
    X(kFooterRule, "//////////////////////////////////////////////////////////////////") \
    X(kFooterHeading, "// 説明と注意") \
    X(kFooterEachLine, "// ・各行のテキストが各ファイル名に対応しています。") \
    X(kFooterRewrite, "必要な部分を書き換え、") \
    X(kFooterSaveThenInput, "// 　保存したのち、Varnelへ入力してください。（設定によっては自動的に入力されます）") \
    X(kFooterInput, "// 　Varnelへ入力してください。") \
    X(kFooterTooFew, "// ・行数が足りないとVarnelへの入力に失敗します。") \
    X(kFooterAboveThis, "（この説明文より上の）") \
    X(kFooterKeepCount, "// 　行数が変わらないように注意してください。") \
    X(kFooterSaveAsIs, "// ・余分な行は無視されるため、この説明文はそのまま保存してもかまいません。") \
    X(kFooterInputAsIs, "// ・余分な行は無視されるため、この説明文ごと入力してもかまいません。") \
    /* Commands that end what cannot be undone. */ \
    X(kTitleRenamed, "確認：改名したファイルがあります") \
    X(kConfirmDiscard, "『%1』を実行すると『最初に戻す』ことが\nできなくなります。\n『%1』を実行してもいいですか？") \
    X(kCommandNew, "新規") \
    X(kCommandQuit, "終了") \
    /* Settings. */ \
    X(kSheetCaption, "設定") \
    X(kTitleSettingsError, "エラー：設定") \
    X(kLabelExchangeFile, "入出力の対象となるファイル") \
    X(kLabelTool, "入出力の対象となるファイルを開くツール") \
    X(kSettingsPathTooLong, "%1が長すぎます（%2バイト）。\n%3バイト以内で指定してください。") \
    X(kSettingsUnshown, "%1として varnel.ini にある値は、Shift_JISとして読めないため表示できません。\n欄を空のままにすれば、その値をそのまま残します。") \
    X(kSettingsNoCp932, "%1に、Shift_JISで表せない文字が含まれています。") \
    X(kSettingsPickedNoCp932, "選択したパスに、Shift_JISで表せない文字が含まれています。\nこのパスは使えません。") \
    X(kGuideCannotOpen, "%1\n\n使い方の説明書を開けませんでした。") \
    X(kPutInSendTo, "『送る』にVarnelを置く") \
    X(kRemoveFromSendTo, "『送る』からVarnelを消す") \
    X(kTitleError, "エラー") \
    X(kShortcutNotMade, "ショートカット作成失敗") \
    X(kShortcutNotRemoved, "ショートカット削除に失敗") \
    /* Failures of the program itself. */ \
    X(kTitleModulePath, "エラー：GetModuleFileName") \
    X(kModulePathFailed, "実行ファイルのパス取得に失敗") \
    X(kTitleFatalInstance, "致命的エラー：多重起動") \
    X(kInstanceNotFound, "起動しているはずのVarnelが見つからない") \
    X(kTitleFatal, "致命的エラー") \
    X(kCopyDataFailed, "WM_COPYDATA") \
    X(kTitleStartError, "Error") \
    X(kAcceleratorsFailed, "LoadAccelerators Err")
// clang-format on
