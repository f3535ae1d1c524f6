<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>FrmDlgTrade</name>
    <message>
        <source>%1 取引できる株はありません</source>
        <translation>%1: no shares to trade</translation>
    </message>
    <message>
        <source>%1 %2 %3円 %4</source>
        <translation>%1 %2 %3 yen %4</translation>
    </message>
    <message>
        <source>株取引</source>
        <translation>Stock Trade</translation>
    </message>
    <message>
        <source>銘柄情報</source>
        <translation>Company</translation>
    </message>
    <message>
        <source>項目</source>
        <translation>Item</translation>
    </message>
    <message>
        <source>値</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>銘柄</source>
        <translation>Company</translation>
    </message>
    <message>
        <source>売買</source>
        <translation>Trade</translation>
    </message>
    <message>
        <source>買い</source>
        <translation>Buy</translation>
    </message>
    <message>
        <source>売り</source>
        <translation>Sell</translation>
    </message>
    <message>
        <source>株数</source>
        <translation>Shares</translation>
    </message>
    <message>
        <source>金額(手数料計算済み)</source>
        <translation>Amount (fee included)</translation>
    </message>
    <message>
        <source>千株</source>
        <translation>thousand</translation>
    </message>
    <message>
        <source>円</source>
        <translation>yen</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>お取引時に手数料%1%をいただきます。</source>
        <translation>A fee of %1% is charged on every trade.</translation>
    </message>
</context>
<context>
    <name>FrmRidolt</name>
    <message>
        <source>表示</source>
        <translation>View</translation>
    </message>
    <message>
        <source>メッセージクリア(&amp;C)</source>
        <translation>&amp;Clear Messages</translation>
    </message>
    <message>
        <source>グラフ表示(&amp;C)</source>
        <translation>Show &amp;Chart</translation>
    </message>
    <message>
        <source>メッセージ表示(&amp;M)</source>
        <translation>Show &amp;Messages</translation>
    </message>
    <message>
        <source>次の月へ(&amp;N)</source>
        <translation>&amp;Next Month</translation>
    </message>
    <message>
        <source>再開する</source>
        <translation>Resume</translation>
    </message>
    <message>
        <source>ニューゲーム(&amp;N)</source>
        <translation>&amp;New Game</translation>
    </message>
    <message>
        <source>シード指定ニューゲーム(&amp;S)...</source>
        <translation>New Game from &amp;Seed...</translation>
    </message>
    <message>
        <source>記録(&amp;R)...</source>
        <translation>&amp;Records...</translation>
    </message>
    <message>
        <source>市場銘柄</source>
        <translation>Market</translation>
    </message>
    <message>
        <source>所有銘柄</source>
        <translation>Holdings</translation>
    </message>
    <message>
        <source>本年度収支予想</source>
        <translation>This Year&apos;s Forecast</translation>
    </message>
    <message>
        <source>前年度収支</source>
        <translation>Last Year&apos;s Balance</translation>
    </message>
    <message>
        <source>資産推移</source>
        <translation>Assets</translation>
    </message>
    <message>
        <source>ページ</source>
        <translation>Pages</translation>
    </message>
    <message>
        <source>メッセージ</source>
        <translation>Messages</translation>
    </message>
    <message>
        <source>%1。%2</source>
        <translation>%1. %2</translation>
    </message>
    <message>
        <source>ゲーム(&amp;G)</source>
        <translation>&amp;Game</translation>
    </message>
    <message>
        <source>ロードセーブ</source>
        <translation>Load and Save</translation>
    </message>
    <message>
        <source>ロード(&amp;L)</source>
        <translation>&amp;Load</translation>
    </message>
    <message>
        <source>セーブ(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>表示(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>新しくゲームを始めます。よろしいですか？</source>
        <translation>Start a new game?</translation>
    </message>
    <message>
        <source>停止する</source>
        <translation>Stop</translation>
    </message>
</context>
<context>
    <name>VxAbout</name>
    <message>
        <source>ホームページ</source>
        <translation>Home page</translation>
    </message>
    <message>
        <source>メール</source>
        <translation>Mail</translation>
    </message>
    <message>
        <source>%1 のバージョン情報</source>
        <translation>About %1</translation>
    </message>
</context>
<context>
    <name>VxActns</name>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>ヘルプ|ヘルプのHTMLを開きます。</source>
        <translation>Help|Opens the help in HTML.</translation>
    </message>
    <message>
        <source>バージョン情報(&amp;A)</source>
        <translation>&amp;About</translation>
    </message>
    <message>
        <source>バージョン情報|バージョン情報を表示します。</source>
        <translation>About|Shows the version information.</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>終了|アプリケーションを終了します。</source>
        <translation>Exit|Ends the application.</translation>
    </message>
    <message>
        <source>アプリケーションのフォルダを開く(&amp;O)</source>
        <translation>&amp;Open the Application&apos;s Folder</translation>
    </message>
    <message>
        <source>アプリケーションのフォルダを開く|アプリケーションのフォルダを開く</source>
        <translation>Open the application&apos;s folder|Opens the application&apos;s folder</translation>
    </message>
</context>
<context>
    <name>VxAppInfo</name>
    <message>
        <source>リドルト</source>
        <translation>Ridolt</translation>
    </message>
    <message>
        <source>このゲームはフィクションです。</source>
        <translation>This game is fiction.</translation>
    </message>
    <message>
        <source>実在する人、団体、場所などとは一切関係ありません。</source>
        <translation>It has nothing to do with any real person, organisation or place.</translation>
    </message>
</context>
<context>
    <name>VxAssetChart</name>
    <message>
        <source>総資産</source>
        <translation>Total assets</translation>
    </message>
    <message>
        <source>資金</source>
        <translation>Cash</translation>
    </message>
    <message>
        <source>株式評価額</source>
        <translation>Shares at market</translation>
    </message>
    <message>
        <source>%1から%2まで、総資産 %3から%4</source>
        <translation>From %1 to %2, total assets from %3 to %4</translation>
    </message>
    <message>
        <source>。%1 %2</source>
        <translation>. %1 %2</translation>
    </message>
    <message>
        <source>%1年目</source>
        <translation>Year %1</translation>
    </message>
    <message>
        <source>元手 %1</source>
        <translation>Stake %1</translation>
    </message>
    <message>
        <source>目標 %1</source>
        <translation>Goal %1</translation>
    </message>
    <message>
        <source>・</source>
        <translation>, </translation>
    </message>
    <message>
        <source>資産推移</source>
        <translation>Assets</translation>
    </message>
    <message>
        <source>トレンド戦略 (同じ市場をコンピューターが売買)</source>
        <translation>Trend rules (the computer trading the same market)</translation>
    </message>
</context>
<context>
    <name>VxAssetListModel</name>
    <message>
        <source>年月</source>
        <translation>Month</translation>
    </message>
    <message>
        <source>資金</source>
        <translation>Cash</translation>
    </message>
    <message>
        <source>株式評価額</source>
        <translation>Shares at market</translation>
    </message>
    <message>
        <source>総資産</source>
        <translation>Total assets</translation>
    </message>
    <message>
        <source>前月比</source>
        <translation>Change</translation>
    </message>
</context>
<context>
    <name>VxAssetPage</name>
    <message>
        <source>月ごとの資産</source>
        <translation>Assets by month</translation>
    </message>
    <message>
        <source>経過 %1</source>
        <translation>Played %1</translation>
    </message>
    <message>
        <source>総資産 %1 (元手%2)</source>
        <translation>Total assets %1 (stake %2)</translation>
    </message>
    <message>
        <source>最高 %1 (%2)</source>
        <translation>Peak %1 (%2)</translation>
    </message>
    <message>
        <source>取引回数 %1回</source>
        <translation>Trades %1</translation>
    </message>
    <message>
        <source>手数料 %1</source>
        <translation>Fees %1</translation>
    </message>
    <message>
        <source>税 %1</source>
        <translation>Tax %1</translation>
    </message>
    <message>
        <source>シード %1</source>
        <translation>Seed %1</translation>
    </message>
    <message>
        <source>シード なし</source>
        <translation>Seed none</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>%1 総資産 %2 (終了)</source>
        <translation>%1 total assets %2 (ended)</translation>
    </message>
    <message>
        <source>%1 総資産 %2</source>
        <translation>%1 total assets %2</translation>
    </message>
</context>
<context>
    <name>VxAssetText</name>
    <message>
        <source>%1 総資産 %2 (資金 %3, 株式 %4)</source>
        <translation>%1 total assets %2 (cash %3, shares %4)</translation>
    </message>
    <message>
        <source>%1 総資産 %2 (資金 %3, 株式 %4, 前月比 %5%6)</source>
        <translation>%1 total assets %2 (cash %3, shares %4, change %5%6)</translation>
    </message>
    <message>
        <source>%1か月</source>
        <translation>%1 mo</translation>
    </message>
    <message>
        <source>%1年</source>
        <translation>%1 yr</translation>
    </message>
    <message>
        <source>%1年%2か月</source>
        <translation>%1 yr %2 mo</translation>
    </message>
    <message>
        <source>%1まで %2</source>
        <translation>%1 in %2</translation>
    </message>
    <message>
        <source>%1に破産</source>
        <translation>Bankrupt in %1</translation>
    </message>
    <message>
        <source>トレンド戦略</source>
        <translation>Trend rules</translation>
    </message>
</context>
<context>
    <name>VxAutoPlay</name>
    <message>
        <source>1 か月/秒(&amp;1)</source>
        <translation>&amp;1 month/s</translation>
    </message>
    <message>
        <source>1 か月/秒</source>
        <translation>1 month/s</translation>
    </message>
    <message>
        <source>3 か月/秒(&amp;3)</source>
        <translation>&amp;3 months/s</translation>
    </message>
    <message>
        <source>3 か月/秒</source>
        <translation>3 months/s</translation>
    </message>
    <message>
        <source>10 か月/秒(&amp;0)</source>
        <translation>1&amp;0 months/s</translation>
    </message>
    <message>
        <source>10 か月/秒</source>
        <translation>10 months/s</translation>
    </message>
    <message>
        <source>最速(&amp;F)</source>
        <translation>&amp;Fastest</translation>
    </message>
    <message>
        <source>最速</source>
        <translation>fastest</translation>
    </message>
    <message>
        <source>自動進行(&amp;A)</source>
        <translation>&amp;Auto Play</translation>
    </message>
    <message>
        <source>月を自動で進めます。もう一度選ぶか、Escキーで止まります。</source>
        <translation>Plays the months by themselves. Choose it again or press Esc to stop.</translation>
    </message>
    <message>
        <source>自動進行の速さ(&amp;P)</source>
        <translation>Auto Play S&amp;peed</translation>
    </message>
    <message>
        <source>自動進行中 %1 (Escで停止)</source>
        <translation>Auto play %1 (Esc stops)</translation>
    </message>
    <message>
        <source>自動進行を止めました</source>
        <translation>Auto play stopped</translation>
    </message>
</context>
<context>
    <name>VxBalanceList</name>
    <message>
        <source>項目</source>
        <translation>Item</translation>
    </message>
    <message>
        <source>値</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>収入</source>
        <translation>Income</translation>
    </message>
    <message>
        <source>支出</source>
        <translation>Expenses</translation>
    </message>
    <message>
        <source>利益</source>
        <translation>Profit</translation>
    </message>
    <message>
        <source>税</source>
        <translation>Tax</translation>
    </message>
    <message>
        <source>税引き利益</source>
        <translation>Profit after tax</translation>
    </message>
</context>
<context>
    <name>VxChartMonthText</name>
    <message>
        <source>%1 %2 (前月比 %3 %4)</source>
        <translation>%1 %2 (change %3 %4)</translation>
    </message>
</context>
<context>
    <name>VxCommandLine</name>
    <message>
        <source>不明なオプションです: %1</source>
        <translation>Unknown option: %1</translation>
    </message>
    <message>
        <source>--seed には 0 から %1 までの整数を指定してください。</source>
        <translation>--seed takes a whole number from 0 to %1.</translation>
    </message>
    <message>
        <source>--language には ja か en を指定してください。</source>
        <translation>--language takes ja or en.</translation>
    </message>
    <message>
        <source>このヘルプを表示します。</source>
        <translation>Shows this help.</translation>
    </message>
    <message>
        <source>バージョン情報を表示します。</source>
        <translation>Shows the version.</translation>
    </message>
    <message>
        <source>最初のゲームの市場をシード N (0〜%1) から作ります。</source>
        <translation>Draws the first game&apos;s market from seed N (0 to %1).</translation>
    </message>
    <message>
        <source>ridolt-sim run --seed N や serve --seed N と同じ市場です。</source>
        <translation>The same market as ridolt-sim run --seed N or serve --seed N.</translation>
    </message>
    <message>
        <source>ゲームの言葉を日本語 (ja) か英語 (en) にします。</source>
        <translation>Plays the game in Japanese (ja) or English (en).</translation>
    </message>
    <message>
        <source>ないときはロケール (LANGUAGE, LC_ALL, LC_MESSAGES, LANG) が en で始まれば英語です。</source>
        <translation>Without it, English when the locale (LANGUAGE, LC_ALL, LC_MESSAGES, LANG) begins with en.</translation>
    </message>
    <message>
        <source>使い方: %1 [オプション] [ファイル]

%2は、3000万円の資金を株の売買で3000億円に増やすゲームです。
ファイルを指定すると、そのセーブファイルのゲームを開きます。
%2がすでに起動しているときは、そのウィンドウでファイルを開きます
(渡されるのはファイルだけで、--seed と --language は使われません)。
シードを指定しないと、ゲームごとにシードを引き、資産推移のページに示します。

オプション (--seed と --language はファイルより前に):
</source>
        <translation>Usage: %1 [options] [file]

%2 is a game of growing ¥30,000,000 into ¥300,000,000,000 by trading shares.
Given a file, it opens the game of that save file.
When %2 is already running, its window opens the file
(only the file is handed over; --seed and --language are not used).
Without a seed, every game draws one and shows it on the Assets page.

Options (--seed and --language before the file):
</translation>
    </message>
    <message>
        <source>%1: %2
%1 --help で使い方を表示します。
</source>
        <translation>%1: %2
%1 --help shows how to use it.
</translation>
    </message>
</context>
<context>
    <name>VxCompanyColumnText</name>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>株価</source>
        <translation>Price</translation>
    </message>
    <message>
        <source>前月比(円)</source>
        <translation>Change (¥)</translation>
    </message>
    <message>
        <source>前月比(%)</source>
        <translation>Change (%)</translation>
    </message>
    <message>
        <source>千株価</source>
        <translation>Per 1,000</translation>
    </message>
    <message>
        <source>売り株数</source>
        <translation>For sale</translation>
    </message>
    <message>
        <source>所有株数</source>
        <translation>Held</translation>
    </message>
    <message>
        <source>購入時株価平均</source>
        <translation>Average paid</translation>
    </message>
    <message>
        <source>現在/購入時</source>
        <translation>Now/Paid</translation>
    </message>
    <message>
        <source>所有株総額</source>
        <translation>Holding value</translation>
    </message>
    <message>
        <source>%1株</source>
        <translation>%1 shares</translation>
    </message>
    <message>
        <source>約%1</source>
        <translation>about %1</translation>
    </message>
</context>
<context>
    <name>VxCompanyListPage</name>
    <message>
        <source>並べ替え(&amp;O)</source>
        <translation>S&amp;ort</translation>
    </message>
    <message>
        <source>買い取引(&amp;B)</source>
        <translation>&amp;Buy</translation>
    </message>
    <message>
        <source>売り取引(&amp;S)</source>
        <translation>&amp;Sell</translation>
    </message>
    <message>
        <source>全買い取引(&amp;U)</source>
        <translation>B&amp;uy All</translation>
    </message>
    <message>
        <source>全売り取引(&amp;E)</source>
        <translation>S&amp;ell All</translation>
    </message>
    <message>
        <source>選択解除(&amp;C)</source>
        <translation>&amp;Clear Selection</translation>
    </message>
    <message>
        <source>カラム幅初期化(&amp;R)</source>
        <translation>&amp;Reset Column Widths</translation>
    </message>
</context>
<context>
    <name>VxFileErrorText</name>
    <message>
        <source>リドルトのセーブファイルです。</source>
        <translation>It is a save file of Ridolt.</translation>
    </message>
    <message>
        <source>リドルトの履歴ファイルです。</source>
        <translation>It is a history file of Ridolt.</translation>
    </message>
    <message>
        <source>ridolt-sim の記録ファイルです。</source>
        <translation>It is a record file of ridolt-sim.</translation>
    </message>
    <message>
        <source>テキストファイルです。</source>
        <translation>It is a text file.</translation>
    </message>
    <message>
        <source>ほかのプログラムのファイルです。</source>
        <translation>It is a file of another program.</translation>
    </message>
    <message>
        <source>読み込んだセーブファイルです。</source>
        <translation>It is the save file being read.</translation>
    </message>
    <message>
        <source>フォルダです。</source>
        <translation>It is a folder.</translation>
    </message>
    <message>
        <source>名前付きパイプ (FIFO) です。</source>
        <translation>It is a named pipe (FIFO).</translation>
    </message>
    <message>
        <source>キャラクタデバイスです。</source>
        <translation>It is a character device.</translation>
    </message>
    <message>
        <source>ブロックデバイスです。</source>
        <translation>It is a block device.</translation>
    </message>
    <message>
        <source>ソケットです。</source>
        <translation>It is a socket.</translation>
    </message>
    <message>
        <source>読み出し専用のファイルです。</source>
        <translation>The file is read-only.</translation>
    </message>
    <message>
        <source>ファイルまたはフォルダがありません。</source>
        <translation>There is no such file or folder.</translation>
    </message>
    <message>
        <source>アクセスが許可されていません。</source>
        <translation>Access is not permitted.</translation>
    </message>
    <message>
        <source>読み出し専用のファイルシステムです。</source>
        <translation>The file system is read-only.</translation>
    </message>
    <message>
        <source>ディスクの空き容量が足りません。</source>
        <translation>There is not enough free space on the disk.</translation>
    </message>
    <message>
        <source>ディスクの使用量の上限を超えています。</source>
        <translation>The disk quota is exceeded.</translation>
    </message>
    <message>
        <source>ファイルが大きすぎます。</source>
        <translation>The file is too large.</translation>
    </message>
    <message>
        <source>パスの途中にフォルダでないものがあります。</source>
        <translation>Something on the path is not a folder.</translation>
    </message>
    <message>
        <source>シンボリックリンクが循環しています。</source>
        <translation>Symbolic links go round in a loop.</translation>
    </message>
    <message>
        <source>パスが長すぎます。</source>
        <translation>The path is too long.</translation>
    </message>
    <message>
        <source>読み書きの途中でエラーが起きました。</source>
        <translation>An error happened while reading or writing.</translation>
    </message>
    <message>
        <source>セーブファイルではありません: %1</source>
        <translation>Not a save file: %1</translation>
    </message>
    <message>
        <source>リドルトのセーブファイルではありません (ほかのプログラムのファイルか、ほかの版のセーブファイルです)。</source>
        <translation>It is not a save file of Ridolt (a file of another program, or a save file of another version).</translation>
    </message>
    <message>
        <source>ファイルが途中で切れています。</source>
        <translation>The file is cut short.</translation>
    </message>
    <message>
        <source>フォルダ %1 に書き込めません: %2</source>
        <translation>Cannot write into the folder %1: %2</translation>
    </message>
    <message>
        <source>%1 書き込めるフォルダは %2 です。</source>
        <translation>%1 The folder you can write into is %2.</translation>
    </message>
    <message>
        <source>%1: ファイルを開けませんでした。%2</source>
        <translation>%1: the file could not be opened. %2</translation>
    </message>
</context>
<context>
    <name>VxGameEventText</name>
    <message>
        <source>株の波に乗って、%1を%2にしましょう。</source>
        <translation>Ride the waves of the market and turn %1 into %2.</translation>
    </message>
    <message>
        <source>毎月生活費として%1が資金から引かれます。これは支出には含まれません。</source>
        <translation>Every month %1 of living costs is taken from your cash. It does not count as an expense.</translation>
    </message>
    <message>
        <source>毎年1月に利益の%1%を税として納めなければなりません。</source>
        <translation>Every year in Month 1 you must pay %1% of your profit as tax.</translation>
    </message>
    <message>
        <source>%1 %2の税を納めました。</source>
        <translation>%1 Paid %2 of tax.</translation>
    </message>
    <message>
        <source>%1 ID:%2の会社は倒産しました。所有株の価値は無くなりました。</source>
        <translation>%1 The company ID:%2 went bankrupt. The shares you held in it are worth nothing.</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>このままでは破産してしまいます。<byte value="xd"/>
所有株を売却して、資金を用意してください。</source>
        <translation>You will go bankrupt like this.<byte value="xd"/>
Sell some of your shares to raise the cash.</translation>
    </message>
    <message>
        <source>ゲームクリア</source>
        <translation>Game Won</translation>
    </message>
    <message>
        <source>おめでとうございます。<byte value="xd"/>
%1以上の資金を保有する大金持ちになりました。<byte value="xd"/>
あなたは一流の投資家です。</source>
        <translation>Congratulations!<byte value="xd"/>
You are rich, with %1 or more in cash.<byte value="xd"/>
You are a first-class investor.</translation>
    </message>
    <message>
        <source>ゲームオーバー</source>
        <translation>Game Over</translation>
    </message>
    <message>
        <source>破産しました。<byte value="xd"/>
残念ながら、あなたは投資家には向いていないようです。</source>
        <translation>You have gone bankrupt.<byte value="xd"/>
Sadly, investing does not seem to be for you.</translation>
    </message>
    <message>
        <source>ゲームは終了しています</source>
        <translation>the game has ended</translation>
    </message>
    <message>
        <source>所有株の売却が先です</source>
        <translation>sell shares you hold first</translation>
    </message>
    <message>
        <source>株数が範囲外です</source>
        <translation>the number of shares is out of range</translation>
    </message>
    <message>
        <source>資金が足りません</source>
        <translation>not enough cash</translation>
    </message>
    <message>
        <source>金額が範囲外です</source>
        <translation>the amount is out of range</translation>
    </message>
    <message>
        <source>株価が範囲外です</source>
        <translation>the share price is out of range</translation>
    </message>
    <message>
        <source>金額が株価と合いません</source>
        <translation>the amount does not match the share price</translation>
    </message>
    <message>
        <source>取引できません: %1</source>
        <translation>Cannot trade: %1</translation>
    </message>
    <message>
        <source>取引できません: %1 (%2千株, %3万円)</source>
        <translation>Cannot trade: %1 (%2 × 1,000 shares, %3 × ¥10,000)</translation>
    </message>
    <message>
        <source>セーブデータが不正です: ID %1 twice</source>
        <translation>The save data is invalid: ID %1 twice</translation>
    </message>
    <message>
        <source>セーブデータが不正です: trailing bytes</source>
        <translation>The save data is invalid: trailing bytes</translation>
    </message>
    <message>
        <source>セーブデータが不正です: %1 = %2</source>
        <translation>The save data is invalid: %1 = %2</translation>
    </message>
</context>
<context>
    <name>VxGameKeeper</name>
    <message>
        <source>%1: ファイルを作成できませんでした。 (%2)</source>
        <translation>%1: the file could not be written. (%2)</translation>
    </message>
</context>
<context>
    <name>VxGameNews</name>
    <message>
        <source>ID:%1を%2 %3で買いました。%4</source>
        <translation>Bought %2 of ID:%1 for %3. %4</translation>
    </message>
    <message>
        <source>ID:%1を%2 %3で売りました。%4</source>
        <translation>Sold %2 of ID:%1 for %3. %4</translation>
    </message>
    <message>
        <source>%1。%2</source>
        <translation>%1. %2</translation>
    </message>
</context>
<context>
    <name>VxGameStatusBar</name>
    <message>
        <source>所有銘柄数 %1</source>
        <translation>Companies held %1</translation>
    </message>
</context>
<context>
    <name>VxHelpDocument</name>
    <message>
        <source>%1 リンク</source>
        <translation>%1 link</translation>
    </message>
</context>
<context>
    <name>VxHelpWindow</name>
    <message>
        <source>%1 ヘルプ</source>
        <translation>%1 Help</translation>
    </message>
    <message>
        <source>%1
ファイルを開けませんでした。</source>
        <translation>%1
The file could not be opened.</translation>
    </message>
</context>
<context>
    <name>VxKeptGameMenu</name>
    <message>
        <source>前回の続き(&amp;R)</source>
        <translation>&amp;Resume Last Game</translation>
    </message>
    <message>
        <source>保存していないゲーム(&amp;K)</source>
        <translation>Unsaved Games (&amp;K)</translation>
    </message>
    <message>
        <source>前回の続きは ロード(L) → 前回の続き(R)</source>
        <translation>To resume: Load (L) → Resume Last Game (R)</translation>
    </message>
    <message>
        <source>シード %1</source>
        <translation>seed %1</translation>
    </message>
    <message>
        <source>シード 不明</source>
        <translation>seed unknown</translation>
    </message>
    <message>
        <source>開けません: %1</source>
        <translation>Cannot open: %1</translation>
    </message>
</context>
<context>
    <name>VxPriceChart</name>
    <message>
        <source>円</source>
        <translation>Yen</translation>
    </message>
    <message>
        <source>ID:%1 株価推移</source>
        <translation>ID:%1 share price</translation>
    </message>
    <message>
        <source>%1月</source>
        <translation>M%1</translation>
    </message>
    <message>
        <source>%1。最新の株価 %2</source>
        <translation>%1. Latest price %2</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>株価推移</source>
        <translation>Share price</translation>
    </message>
</context>
<context>
    <name>VxQtMessageBox</name>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>確認</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>エラー</source>
        <translation>Error</translation>
    </message>
</context>
<context>
    <name>VxRecordsDialog</name>
    <message>
        <source>記録</source>
        <translation>Records</translation>
    </message>
    <message>
        <source>勝ったゲームは早い順、そのあとに破産したゲームです。★はそのシードでいちばん早い勝ちです。</source>
        <translation>Won games, fastest first, then bankrupt games. ★ marks the fastest win of its seed.</translation>
    </message>
    <message>
        <source>まだ終わったゲームはありません。</source>
        <translation>No game has ended yet.</translation>
    </message>
    <message>
        <source>結果</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>シード</source>
        <translation>Seed</translation>
    </message>
    <message>
        <source>最速</source>
        <translation>Fastest</translation>
    </message>
    <message>
        <source>総資産</source>
        <translation>Total assets</translation>
    </message>
    <message>
        <source>手数料</source>
        <translation>Fees</translation>
    </message>
    <message>
        <source>税</source>
        <translation>Tax</translation>
    </message>
    <message>
        <source>取引回数</source>
        <translation>Trades</translation>
    </message>
    <message>
        <source>日時</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>なし</source>
        <translation>none</translation>
    </message>
    <message>
        <source>%1回</source>
        <translation>%1</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>VxRecordsFile</name>
    <message>
        <source>記録ファイルが壊れていたため、%1 に移しました。</source>
        <translation>The records file was damaged and has been moved to %1.</translation>
    </message>
    <message>
        <source>%1: 記録ファイルを読めませんでした。 (%2)</source>
        <translation>%1: the records file could not be read. (%2)</translation>
    </message>
    <message>
        <source>%1: 記録ファイルを作成できませんでした。 (%2)</source>
        <translation>%1: the records file could not be written. (%2)</translation>
    </message>
</context>
<context>
    <name>VxSaveSlots</name>
    <message>
        <source>ファイルを上書きしてよろしいですか？</source>
        <translation>Overwrite the file?</translation>
    </message>
    <message>
        <source>ファイルを開けませんでした。</source>
        <translation>The file could not be opened.</translation>
    </message>
    <message>
        <source>ファイルを作成できませんでした。</source>
        <translation>The file could not be written.</translation>
    </message>
</context>
<context>
    <name>VxSeedDialog</name>
    <message>
        <source>シード指定ニューゲーム</source>
        <translation>New Game from Seed</translation>
    </message>
    <message>
        <source>新しいゲームの市場のシード(&amp;S):</source>
        <translation>&amp;Seed of the new game&apos;s market:</translation>
    </message>
    <message>
        <source>同じシードのゲームは、いつも同じ市場になります。</source>
        <translation>Games with the same seed always have the same market.</translation>
    </message>
    <message>
        <source>0 から %1 までの整数</source>
        <translation>a whole number from 0 to %1</translation>
    </message>
</context>
<context>
    <name>VxStatusTexts</name>
    <message>
        <source>資金 %1</source>
        <translation>Cash %1</translation>
    </message>
</context>
<context>
    <name>VxTradeHint</name>
    <message>
        <source>売却できません (手数料を引くと1万円に届きません)
購入額 %1</source>
        <translation>Cannot be sold (less than ¥10,000 after the fee)
Paid %1</translation>
    </message>
    <message>
        <source>全%1を売ると %2 (手数料差引後)
損益 %3%4 (購入額 %5)</source>
        <translation>Selling all %1 brings %2 (after the fee)
Gain %3%4 (paid %5)</translation>
    </message>
    <message>
        <source>売りに出ている株がありません</source>
        <translation>No shares for sale</translation>
    </message>
    <message>
        <source>%1 %2 (手数料込み)
資金では%1も買えません</source>
        <translation>%1 %2 (fee included)
Your cash cannot buy even %1</translation>
    </message>
    <message>
        <source>%1 %2 (手数料込み)
資金で買えるのは最大 %3 (%4)</source>
        <translation>%1 %2 (fee included)
Your cash buys at most %3 (%4)</translation>
    </message>
    <message>
        <source>1株%1相当</source>
        <translation>about %1 a share</translation>
    </message>
</context>
</TS>
