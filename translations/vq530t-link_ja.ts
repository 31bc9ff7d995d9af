<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>Files</name>
    <message>
        <source>VQ setting data (*.set)|*.set|ALL files(*.*)|*.*</source>
        <translation>VQ設定データ (*.set)|*.set|すべてのファイル (*.*)|*.*</translation>
    </message>
    <message>
        <source>VQ Log data (*.csv)|*.csv|ALL files(*.*)|*.*</source>
        <translation>VQログデータ (*.csv)|*.csv|すべてのファイル (*.*)|*.*</translation>
    </message>
    <message>
        <source>PNG picture (*.png)|*.png|SVG drawing (*.svg)|*.svg</source>
        <translation>PNG画像 (*.png)|*.png|SVG図形 (*.svg)|*.svg</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>This application is already opened!!</source>
        <translation>このアプリケーションはすでに起動しています。</translation>
    </message>
    <message>
        <source>CommPort was initialized.</source>
        <translation>COMポートを初期化しました。</translation>
    </message>
    <message>
        <source>ComPort cannot be opened.</source>
        <translation>COMポートを開けません。</translation>
    </message>
    <message>
        <source>no such device</source>
        <translation>デバイスがありません</translation>
    </message>
    <message>
        <source>no permission, or in use by another program</source>
        <translation>権限がないか、別のプログラムが使用中です</translation>
    </message>
    <message>
        <source>the line settings are refused</source>
        <translation>通信設定が受け付けられません</translation>
    </message>
    <message>
        <source>the port does not answer</source>
        <translation>ポートが応答しません</translation>
    </message>
    <message>
        <source>the device refused</source>
        <translation>デバイスがアクセスを拒否しました</translation>
    </message>
    <message>
        <source>RS232 communication fault.</source>
        <translation>RS232通信エラーです。</translation>
    </message>
    <message>
        <source>VQ cannot be set.</source>
        <translation>VQを設定できません。</translation>
    </message>
    <message>
        <source>Completion</source>
        <translation>完了</translation>
    </message>
    <message>
        <source>Verify was NG.</source>
        <translation>ベリファイに失敗しました。</translation>
    </message>
    <message>
        <source>The controller&apos;s settings could not be backed up.</source>
        <translation>コントローラーの設定をバックアップできませんでした。</translation>
    </message>
    <message>
        <source>Nothing was written.</source>
        <translation>何も書き込んでいません。</translation>
    </message>
    <message>
        <source>Data is abnormal!!<byte value="xd"/>
Please set it correctly.</source>
        <translation>データが異常です。<byte value="xd"/>
正しく設定してください。</translation>
    </message>
    <message>
        <source>Setting Data is deleted.</source>
        <translation>設定データが消去されています。</translation>
    </message>
    <message>
        <source>VQ type is different.</source>
        <translation>VQの型式が違います。</translation>
    </message>
    <message>
        <source>Setting data has not been read from the VQ yet.<byte value="xd"/>
Please read it with &quot;Setting Data Read&quot; first.</source>
        <translation>まだVQから設定データを読み込んでいません。<byte value="xd"/>
先に「設定データ読込」で読み込んでください。</translation>
    </message>
    <message>
        <source>Trouble is found in data.</source>
        <translation>データに問題があります。</translation>
    </message>
    <message>
        <source>File not found. Create it?</source>
        <translation>ファイルが見つかりません。作成しますか？</translation>
    </message>
    <message>
        <source>The file already exists. <byte value="xd"/>
Do you overwrite?</source>
        <translation>ファイルはすでに存在します。<byte value="xd"/>
上書きしますか？</translation>
    </message>
    <message>
        <source>There is no preserved data.</source>
        <translation>保存するデータがありません。</translation>
    </message>
    <message>
        <source>File cannot be saved.</source>
        <translation>ファイルを保存できません。</translation>
    </message>
    <message>
        <source>is a folder</source>
        <translation>フォルダーです</translation>
    </message>
    <message>
        <source>not an ordinary file</source>
        <translation>通常のファイルではありません</translation>
    </message>
    <message>
        <source>read-only</source>
        <translation>読み取り専用です</translation>
    </message>
    <message>
        <source>can&apos;t be read</source>
        <translation>読み込めません</translation>
    </message>
    <message>
        <source>Setting Data Read</source>
        <translation>設定データ読込</translation>
    </message>
    <message>
        <source>Setting Data Write</source>
        <translation>設定データ書込</translation>
    </message>
    <message>
        <source>Default Data Write</source>
        <translation>初期データ書込</translation>
    </message>
    <message>
        <source>Data Get</source>
        <translation>データ取得</translation>
    </message>
    <message>
        <source>Data Clear</source>
        <translation>データ消去</translation>
    </message>
    <message>
        <source>Log Data</source>
        <translation>ログデータ</translation>
    </message>
    <message>
        <source>Time(s)</source>
        <translation>t(s)</translation>
    </message>
    <message>
        <source>Voltage(V)</source>
        <translation>電圧(V)</translation>
    </message>
    <message>
        <source>Current(A)</source>
        <translation>電流(A)</translation>
    </message>
    <message>
        <source>free</source>
        <translation>空き</translation>
    </message>
    <message>
        <source>in use by another program</source>
        <translation>他のプログラムが使用中</translation>
    </message>
    <message>
        <source>no permission</source>
        <translation>権限なし</translation>
    </message>
    <message>
        <source>does not answer</source>
        <translation>応答なし</translation>
    </message>
    <message>
        <source>Your user may not open serial ports: sudo adduser $USER dialout, then log out and in again.</source>
        <translation>このユーザーはシリアルポートを開けません: sudo adduser $USER dialout を実行し、ログアウトしてから再びログインしてください。</translation>
    </message>
    <message>
        <source>Other Ports…</source>
        <translation>その他のポート…</translation>
    </message>
    <message>
        <source>The ports Com1 to Com16 that open now. Right-click for Other Ports…: every serial port the system has.</source>
        <translation>現在開けるポート Com1～Com16。右クリックで「その他のポート…」: システムのすべてのシリアルポート。</translation>
    </message>
    <message>
        <source>Other Ports</source>
        <translation>その他のポート</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>ポート</translation>
    </message>
    <message>
        <source>State</source>
        <translation>状態</translation>
    </message>
    <message>
        <source>Pinned to</source>
        <translation>割り当て先</translation>
    </message>
    <message>
        <source>Adapter</source>
        <translation>アダプター</translation>
    </message>
    <message>
        <source>Use This Port</source>
        <translation>このポートを使用</translation>
    </message>
    <message>
        <source>No serial port found.</source>
        <translation>シリアルポートが見つかりません。</translation>
    </message>
    <message>
        <source>Com1 to Com16 are all taken; free one under [Ports] in the profile.</source>
        <translation>Com1～Com16 はすべて使用済みです。プロファイルの [Ports] で一つ空けてください。</translation>
    </message>
    <message>
        <source>Copy Report</source>
        <translation>レポートをコピー</translation>
    </message>
</context>
<context>
    <name>Parameters</name>
    <message>
        <source>PWM frequency(at Min. load)</source>
        <translation>PWM周波数(最小負荷時)</translation>
    </message>
    <message>
        <source>PWM frequency(at Max. load)</source>
        <translation>PWM周波数(最大負荷時)</translation>
    </message>
    <message>
        <source>Neutral</source>
        <translation>ニュートラル</translation>
    </message>
    <message>
        <source>High point(forward)</source>
        <translation>ハイポイント(前進)</translation>
    </message>
    <message>
        <source>High point(brake)</source>
        <translation>ハイポイント(ブレーキ)</translation>
    </message>
    <message>
        <source>Dead Band</source>
        <translation>デッドバンド</translation>
    </message>
    <message>
        <source>Low Batt. Protection</source>
        <translation>ローバッテリー保護</translation>
    </message>
    <message>
        <source>Current Limiter</source>
        <translation>電流リミッター</translation>
    </message>
    <message>
        <source>Brake Max. Duty</source>
        <translation>ブレーキ最大デューティ</translation>
    </message>
    <message>
        <source>Reverse Max Duty</source>
        <translation>バック最大デューティ</translation>
    </message>
    <message>
        <source>Neutral Brake</source>
        <translation>ニュートラルブレーキ</translation>
    </message>
    <message>
        <source>Current Limit timer</source>
        <translation>電流制限タイマー</translation>
    </message>
    <message>
        <source>Sec</source>
        <translation>秒</translation>
    </message>
    <message>
        <source>Current Limiter(Time Limit)</source>
        <translation>電流リミッター(時間制限)</translation>
    </message>
    <message>
        <source>Forward Boost</source>
        <translation>フォワードブースト</translation>
    </message>
    <message>
        <source>Virgin Bit</source>
        <translation>バージンビット</translation>
    </message>
    <message>
        <source>Reverse Mode</source>
        <translation>バックモード</translation>
    </message>
    <message>
        <source>Rev Cancel</source>
        <translation>バックキャンセル</translation>
    </message>
    <message>
        <source>Lipo Mode</source>
        <translation>リポモード</translation>
    </message>
</context>
<context>
    <name>Ports</name>
    <message>
        <source>Not found</source>
        <translation>見つかりません</translation>
    </message>
    <message>
        <source>Serial number: %1</source>
        <translation>シリアル番号: %1</translation>
    </message>
</context>
<context>
    <name>Statistics</name>
    <message>
        <source>none</source>
        <translation>なし</translation>
    </message>
    <message>
        <source>Samples</source>
        <translation>サンプル数</translation>
    </message>
    <message>
        <source>Voltage minimum</source>
        <translation>最低電圧</translation>
    </message>
    <message>
        <source>Voltage average</source>
        <translation>平均電圧</translation>
    </message>
    <message>
        <source>Voltage maximum</source>
        <translation>最高電圧</translation>
    </message>
    <message>
        <source>Current minimum</source>
        <translation>最小電流</translation>
    </message>
    <message>
        <source>Current average</source>
        <translation>平均電流</translation>
    </message>
    <message>
        <source>Current maximum</source>
        <translation>最大電流</translation>
    </message>
    <message>
        <source>Energy</source>
        <translation>電力量</translation>
    </message>
    <message>
        <source>Charge</source>
        <translation>消費容量</translation>
    </message>
    <message>
        <source>Voltage at peak current</source>
        <translation>最大電流時の電圧</translation>
    </message>
</context>
<context>
    <name>vq::FrmConfig</name>
    <message>
        <source>ComPort Setting</source>
        <translation>COMポート設定</translation>
    </message>
    <message>
        <source>ComPort is selected, and VQ is connected.</source>
        <translation>COMポートを選び、VQを接続してください。</translation>
    </message>
    <message>
        <source>ComPort</source>
        <translation>COMポート</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
</context>
<context>
    <name>vq::FrmLog</name>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>Scale Line</source>
        <translation>目盛線</translation>
    </message>
    <message>
        <source>%1 Scale Line</source>
        <translation>%1 目盛線</translation>
    </message>
    <message>
        <source>Statistics…</source>
        <translation>統計…</translation>
    </message>
    <message>
        <source>Save Graph as Picture…</source>
        <translation>グラフを画像で保存…</translation>
    </message>
    <message>
        <source>Copy Graph</source>
        <translation>グラフをコピー</translation>
    </message>
    <message>
        <source>Compare with Log File…</source>
        <translation>ログファイルと比較…</translation>
    </message>
    <message>
        <source>Remove Comparison</source>
        <translation>比較を解除</translation>
    </message>
    <message>
        <source>Reset Zoom</source>
        <translation>ズームをリセット</translation>
    </message>
</context>
<context>
    <name>vq::FrmMain</name>
    <message>
        <source>An operation is running</source>
        <translation>処理中です</translation>
    </message>
    <message>
        <source>No operation is running</source>
        <translation>処理は行われていません</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>ファイル(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Setting Data </source>
        <translation>設定データ(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>開く(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>保存(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Log Data</source>
        <translation>ログデータ(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;ComPort</source>
        <translation>COMポート(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>終了(&amp;X)</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>言語 (Language)</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>オフ</translation>
    </message>
    <message>
        <source>Current Limiter off</source>
        <translation>電流リミッター オフ</translation>
    </message>
    <message>
        <source>VQ Type</source>
        <translation>VQ型式</translation>
    </message>
    <message>
        <source>ROM Version</source>
        <translation>ROMバージョン</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>メッセージ</translation>
    </message>
    <message>
        <source>Busy</source>
        <translation>動作中</translation>
    </message>
</context>
<context>
    <name>vq::PlotArea</name>
    <message>
        <source>Graph</source>
        <translation>グラフ</translation>
    </message>
    <message>
        <source>Battery voltage and motor current against time. Left and Right move the cursor one second, Page Up and Page Down ten, Home and End to the first and last second.</source>
        <translation>時間に対するバッテリー電圧とモーター電流。←と→でカーソルを1秒、Page UpとPage Downで10秒動かし、HomeとEndで最初と最後の秒へ移動します。</translation>
    </message>
</context>
<context>
    <name>vq::StatisticsWindow</name>
    <message>
        <source>Statistics</source>
        <translation>統計</translation>
    </message>
    <message>
        <source>This run</source>
        <translation>今回の走行</translation>
    </message>
</context>
<context>
    <name>vq::UpDownButton</name>
    <message>
        <source>Increase %1</source>
        <translation>%1を増やす</translation>
    </message>
    <message>
        <source>Decrease %1</source>
        <translation>%1を減らす</translation>
    </message>
</context>
</TS>
