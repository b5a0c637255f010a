<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ja_JP">
<context>
    <name>Orvella</name>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>新規作成</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>開く(&amp;O)...</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>iCalendar から読み込み(&amp;I)...</source>
        <translation>&amp;Import iCalendar...</translation>
    </message>
    <message>
        <source>上書き保存(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>名前を付けて保存(&amp;A)...</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <source>ページの設定(&amp;U)...</source>
        <translation>Page Set&amp;up...</translation>
    </message>
    <message>
        <source>プリンタの設定(&amp;U)...</source>
        <translation>P&amp;rinter Setup...</translation>
    </message>
    <message>
        <source>印刷(&amp;P)...</source>
        <translation>&amp;Print...</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>インポート(&amp;I)</source>
        <translation>&amp;Import</translation>
    </message>
    <message>
        <source>エクスポート(&amp;E)</source>
        <translation>&amp;Export</translation>
    </message>
    <message>
        <source>週間スケジュール</source>
        <translation>Week Schedule</translation>
    </message>
    <message>
        <source>編集(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>スケジュール作成(&amp;G)...</source>
        <translation>Schedulin&amp;g Mode...</translation>
    </message>
    <message>
        <source>スケジュール作成(&amp;G)</source>
        <translation>Schedulin&amp;g Mode</translation>
    </message>
    <message>
        <source>スケジュール作成 終了(&amp;E)</source>
        <translation>&amp;Exit Scheduling Mode</translation>
    </message>
    <message>
        <source>スケジュール追加(&amp;A)</source>
        <translation>&amp;Add Frame</translation>
    </message>
    <message>
        <source>スケジュール挿入(&amp;I)</source>
        <translation>&amp;Insert Frame</translation>
    </message>
    <message>
        <source>スケジュール削除(&amp;R)</source>
        <translation>&amp;Remove Frame</translation>
    </message>
    <message>
        <source>&amp;キャンセル</source>
        <translation>&amp;Cancel Changes</translation>
    </message>
    <message>
        <source>開始時刻 &lt;- 直前の終了時間／時間固定(&amp;J)</source>
        <translation>Start &lt;- Previous End, Keep &amp;Duration</translation>
    </message>
    <message>
        <source>開始時刻 &lt;- 直前の終了時間／終了時刻固定(&amp;K)</source>
        <translation>Start &lt;- Previous End, &amp;Keep End</translation>
    </message>
    <message>
        <source>終了時刻 &lt;- 直後の開始時間／時間固定(&amp;O)</source>
        <translation>End &lt;- Next Start, Keep D&amp;uration</translation>
    </message>
    <message>
        <source>終了時刻 &lt;- 直後の開始時間／開始時間固定(&amp;P)</source>
        <translation>End &lt;- Next Start, Kee&amp;p Start</translation>
    </message>
    <message>
        <source>開始時刻 &lt;- 直前の終了時刻／時間固定(&amp;J)</source>
        <translation>Start &lt;- Previous End, Keep &amp;Duration</translation>
    </message>
    <message>
        <source>開始時刻 &lt;- 直前の終了時刻／終了時刻固定(&amp;K)</source>
        <translation>Start &lt;- Previous End, &amp;Keep End</translation>
    </message>
    <message>
        <source>終了時刻 &lt;- 直後の開始時刻／時間固定(&amp;O)</source>
        <translation>End &lt;- Next Start, Keep D&amp;uration</translation>
    </message>
    <message>
        <source>終了時刻 &lt;- 直後の開始時刻／開始時刻固定(&amp;P)</source>
        <translation>End &lt;- Next Start, Kee&amp;p Start</translation>
    </message>
    <message>
        <source>開始、終了時刻　&lt;- 直前、直後時刻(&amp;V)</source>
        <translation>Start and End &lt;- Pre&amp;vious End and Next Start</translation>
    </message>
    <message>
        <source>連続時刻設定(&amp;T)</source>
        <translation>Chain &amp;Times</translation>
    </message>
    <message>
        <source>コピー(&amp;C)</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>切り取り(&amp;X)</source>
        <translation>Cu&amp;t</translation>
    </message>
    <message>
        <source>削除(&amp;D)</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>貼り付け(&amp;P)</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>表示(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>週間表示(&amp;X)</source>
        <translation>Week Displa&amp;y</translation>
    </message>
    <message>
        <source>リスト(&amp;L)</source>
        <translation>&amp;List</translation>
    </message>
    <message>
        <source>円グラフ(&amp;P)</source>
        <translation>&amp;Pie Graph</translation>
    </message>
    <message>
        <source>時間軸（縦）グラフ(&amp;T)</source>
        <translation>&amp;Timeline (Vertical) Graph</translation>
    </message>
    <message>
        <source>週間グラフ(&amp;E)</source>
        <translation>W&amp;eek View</translation>
    </message>
    <message>
        <source>集計(&amp;C)</source>
        <translation>&amp;Count</translation>
    </message>
    <message>
        <source>週間スケジュール集計(&amp;W)</source>
        <translation>&amp;Week Schedule Count</translation>
    </message>
    <message>
        <source>グラフ 毎時間表示(&amp;G)</source>
        <translation>&amp;Graph Scale Every Hour</translation>
    </message>
    <message>
        <source>グラフ 毎時刻表示(&amp;G)</source>
        <translation>&amp;Graph Scale Every Hour</translation>
    </message>
    <message>
        <source>現在時刻マーク(&amp;R)</source>
        <translation>Cu&amp;rrent Time Mark</translation>
    </message>
    <message>
        <source>表示タイプ記憶(&amp;M)</source>
        <translation>Re&amp;member View Type</translation>
    </message>
    <message>
        <source>スキン表示(&amp;K)</source>
        <translation>S&amp;kin Mode</translation>
    </message>
    <message>
        <source>時計表示(&amp;T)</source>
        <translation>Cl&amp;ock</translation>
    </message>
    <message>
        <source>１２Ｈ(&amp;1)</source>
        <translation>&amp;12 Hours</translation>
    </message>
    <message>
        <source>２４Ｈ(&amp;2)</source>
        <translation>&amp;24 Hours</translation>
    </message>
    <message>
        <source>秒表示(&amp;S)</source>
        <translation>Show &amp;Seconds</translation>
    </message>
    <message>
        <source>週間スケジュール作成(&amp;W)</source>
        <translation>&amp;Week Schedule</translation>
    </message>
    <message>
        <source>起動時読込ファイル設定(&amp;O)...</source>
        <translation>&amp;Open at Start-up...</translation>
    </message>
    <message>
        <source>アラーム(&amp;A)</source>
        <translation>&amp;Alarm</translation>
    </message>
    <message>
        <source>アラーム音 停止(&amp;Q)</source>
        <translation>Stop Alarm Sound (&amp;Q)</translation>
    </message>
    <message>
        <source>サウンド アラーム(&amp;S)</source>
        <translation>&amp;Sound Alarm</translation>
    </message>
    <message>
        <source>メール アラーム(&amp;E)</source>
        <translation>&amp;E-mail Alarm</translation>
    </message>
    <message>
        <source>ポップアップ アラーム(&amp;P)</source>
        <translation>&amp;Popup Alarm</translation>
    </message>
    <message>
        <source>デスクトップ通知(&amp;D)</source>
        <translation>&amp;Desktop Notifications</translation>
    </message>
    <message>
        <source>アラーム設定(&amp;C)...</source>
        <translation>Alarm &amp;Configuration...</translation>
    </message>
    <message>
        <source>言語(&amp;L)</source>
        <translation>&amp;Language</translation>
    </message>
    <message>
        <source>日本語(&amp;J)</source>
        <translation>&amp;Japanese</translation>
    </message>
    <message>
        <source>英語(&amp;E)</source>
        <translation>&amp;English</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>目次(&amp;C)</source>
        <translation>&amp;Contents</translation>
    </message>
    <message>
        <source>バージョン情報</source>
        <translation>&amp;About Orvella</translation>
    </message>
    <message>
        <source>常に手前に表示(&amp;V)</source>
        <translation>Always on Top (&amp;V)</translation>
    </message>
    <message>
        <source>サイズ(&amp;S)</source>
        <translation>&amp;Size</translation>
    </message>
    <message>
        <source>サイズ L(&amp;L)</source>
        <translation>Size &amp;L</translation>
    </message>
    <message>
        <source>サイズ M１(&amp;M)</source>
        <translation>Size &amp;M1</translation>
    </message>
    <message>
        <source>サイズ M２(&amp;N)</source>
        <translation>Size M&amp;2</translation>
    </message>
    <message>
        <source>サイズ S(&amp;S)</source>
        <translation>Size &amp;S</translation>
    </message>
    <message>
        <source>元のサイズ (&amp;O)</source>
        <translation>&amp;Original Size</translation>
    </message>
    <message>
        <source>透過度(&amp;T)</source>
        <translation>&amp;Transparency</translation>
    </message>
    <message>
        <source>１(&amp;1)</source>
        <translation>&amp;1</translation>
    </message>
    <message>
        <source>２(&amp;2)</source>
        <translation>&amp;2</translation>
    </message>
    <message>
        <source>３(&amp;3)</source>
        <translation>&amp;3</translation>
    </message>
    <message>
        <source>４(&amp;4)</source>
        <translation>&amp;4</translation>
    </message>
    <message>
        <source>５(&amp;5)</source>
        <translation>&amp;5</translation>
    </message>
    <message>
        <source>０－透過無し(&amp;0)</source>
        <translation>&amp;0 - Opaque</translation>
    </message>
    <message>
        <source>通常モードに戻る</source>
        <translation>Back to Normal Mode</translation>
    </message>
    <message>
        <source>アプリケーションを終了する(&amp;X)</source>
        <translation>E&amp;xit Orvella</translation>
    </message>
    <message>
        <source>作成</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>作成終了</source>
        <translation>Done</translation>
    </message>
    <message>
        <source>起動時読込み</source>
        <translation>Open at start-up</translation>
    </message>
    <message>
        <source>アラーム音 停止</source>
        <translation>Stop Alarm</translation>
    </message>
    <message>
        <source>開く</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>上書き保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>名前を付けて保存</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>起動時読込週間スケジュール ファイルを開く(&amp;W)</source>
        <translation>Open the &amp;Week Schedule File Read at Start-up</translation>
    </message>
    <message>
        <source>週間スケジュール ファイル</source>
        <translation>Week Schedule Files</translation>
    </message>
    <message>
        <source>アラーム タイミング／サウンド 設定</source>
        <translation>Alarm Timing / Sound Settings</translation>
    </message>
    <message>
        <source>閉じる（アラーム音 非停止）</source>
        <translation>Close (keep sound)</translation>
    </message>
    <message>
        <source>閉じる（アラーム音 停止）</source>
        <translation>Close (stop sound)</translation>
    </message>
    <message>
        <source>ウィンドウの表示/非表示(&amp;W)</source>
        <translation>Show/Hide &amp;Window</translation>
    </message>
    <message>
        <source>入力可能文字数は%1文字までです。</source>
        <translation>Up to %1 characters can be entered.</translation>
    </message>
    <message>
        <source>Orvella ヘルプ</source>
        <translation>Orvella Help</translation>
    </message>
    <message>
        <source>Orvella バージョン情報</source>
        <translation>About Orvella</translation>
    </message>
    <message>
        <source>iCalendar から読み込み</source>
        <translation>Import iCalendar</translation>
    </message>
    <message>
        <source>ファイル:</source>
        <translation>File:</translation>
    </message>
    <message>
        <source>読み込む日付(&amp;D):</source>
        <translation>&amp;Date to import:</translation>
    </message>
</context>
</TS>
