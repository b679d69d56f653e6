<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>CRemoteWnd</name>
    <message>
        <source>POSI</source>
        <translation>ポジ</translation>
    </message>
    <message>
        <source>NEGA</source>
        <translation>ネガ</translation>
    </message>
    <message>
        <source>COLOR</source>
        <translation>カラー</translation>
    </message>
    <message>
        <source>B&amp;W</source>
        <translation>白黒</translation>
    </message>
</context>
<context>
    <name>CSlotStrip</name>
    <message>
        <source>Slot %1, empty</source>
        <translation>スロット %1、空き</translation>
    </message>
    <message>
        <source>Slot %1, picture, %2 by %3</source>
        <translation>スロット %1、画像、%2 x %3</translation>
    </message>
</context>
<context>
    <name>Cli</name>
    <message>
        <source>%1 needs a port number</source>
        <translation>%1 にはポート番号が必要です</translation>
    </message>
    <message>
        <source>the port is 1, 2, 3 or 4, not &quot;%1&quot;</source>
        <translation>ポートは 1、2、3、4 のいずれかです (&quot;%1&quot; は指定できません)</translation>
    </message>
    <message>
        <source>%1 needs a rate</source>
        <translation>%1 には通信速度が必要です</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a rate the unit takes</source>
        <translation>&quot;%1&quot; は本体が対応している通信速度ではありません</translation>
    </message>
    <message>
        <source>%1 needs a device name</source>
        <translation>%1 にはデバイス名が必要です</translation>
    </message>
    <message>
        <source>%1 needs a folder</source>
        <translation>%1 にはフォルダーが必要です</translation>
    </message>
    <message>
        <source>%1 needs a number of seconds</source>
        <translation>%1 には秒数が必要です</translation>
    </message>
    <message>
        <source>--every takes seconds from 0.1 to 3600, not &quot;%1&quot;</source>
        <translation>--every には 0.1～3600 の秒数を指定してください (&quot;%1&quot; は指定できません)</translation>
    </message>
    <message>
        <source>unknown option %1</source>
        <translation>不明なオプションです: %1</translation>
    </message>
    <message>
        <source>no command given</source>
        <translation>コマンドが指定されていません</translation>
    </message>
    <message>
        <source>unknown command &quot;%1&quot;</source>
        <translation>不明なコマンドです: &quot;%1&quot;</translation>
    </message>
    <message>
        <source>wrong number of arguments for %1</source>
        <translation>%1 の引数の数が正しくありません</translation>
    </message>
    <message>
        <source>receive takes a slot or --all</source>
        <translation>receive にはスロットか --all を指定してください</translation>
    </message>
    <message>
        <source>--all belongs to receive</source>
        <translation>--all は receive のオプションです</translation>
    </message>
    <message>
        <source>--overwrite belongs to receive</source>
        <translation>--overwrite は receive のオプションです</translation>
    </message>
    <message>
        <source>--new belongs to receive --all</source>
        <translation>--new は receive --all のオプションです</translation>
    </message>
    <message>
        <source>--every belongs to watch</source>
        <translation>--every は watch のオプションです</translation>
    </message>
    <message>
        <source>on</source>
        <translation>オン</translation>
    </message>
    <message>
        <source>off</source>
        <translation>オフ</translation>
    </message>
    <message>
        <source>unreadable status</source>
        <translation>状態を読み取れません</translation>
    </message>
    <message>
        <source>main</source>
        <translation>メイン</translation>
    </message>
    <message>
        <source>AV 1</source>
        <translation>AV 1</translation>
    </message>
    <message>
        <source>AV 2</source>
        <translation>AV 2</translation>
    </message>
    <message>
        <source>SUB</source>
        <translation>サブ</translation>
    </message>
    <message>
        <source>upper</source>
        <translation>上部ライト</translation>
    </message>
    <message>
        <source>base</source>
        <translation>ベースライト</translation>
    </message>
    <message>
        <source>lamps:   %1</source>
        <translation>照明:     %1</translation>
    </message>
    <message>
        <source>input:   %1</source>
        <translation>入力:     %1</translation>
    </message>
    <message>
        <source>unknown (%1)</source>
        <translation>不明 (%1)</translation>
    </message>
    <message>
        <source>picture: %1</source>
        <translation>画像:     %1</translation>
    </message>
    <message>
        <source>negative</source>
        <translation>ネガ</translation>
    </message>
    <message>
        <source>positive</source>
        <translation>ポジ</translation>
    </message>
    <message>
        <source>colour:  %1</source>
        <translation>色:       %1</translation>
    </message>
    <message>
        <source>black and white</source>
        <translation>白黒</translation>
    </message>
    <message>
        <source>colour</source>
        <translation>カラー</translation>
    </message>
    <message>
        <source>pointer: %1</source>
        <translation>ポインター: %1</translation>
    </message>
    <message>
        <source>2x:      %1</source>
        <translation>2 倍:     %1</translation>
    </message>
    <message>
        <source>pause:   %1</source>
        <translation>一時停止: %1</translation>
    </message>
    <message>
        <source>panel:   %1</source>
        <translation>パネル:   %1</translation>
    </message>
    <message>
        <source>locked</source>
        <translation>ロック中</translation>
    </message>
    <message>
        <source>unlocked</source>
        <translation>ロック解除</translation>
    </message>
    <message>
        <source>unreadable slot map</source>
        <translation>スロットの状態を読み取れません</translation>
    </message>
    <message>
        <source>unit: %1</source>
        <translation>本体: %1</translation>
    </message>
    <message>
        <source>ready</source>
        <translation>待機中</translation>
    </message>
    <message>
        <source>reading</source>
        <translation>読み込み中</translation>
    </message>
    <message>
        <source>empty</source>
        <translation>空き</translation>
    </message>
    <message>
        <source>picture (protected)</source>
        <translation>画像あり (保護)</translation>
    </message>
    <message>
        <source>picture</source>
        <translation>画像あり</translation>
    </message>
    <message>
        <source>slot %1: %2</source>
        <translation>スロット %1: %2</translation>
    </message>
    <message>
        <source>cannot create %1: %2</source>
        <translation>%1 を作成できません: %2</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>%1 に書き込めません: %2</translation>
    </message>
    <message>
        <source>cannot open %1: %2</source>
        <translation>%1 を開けません: %2</translation>
    </message>
    <message>
        <source>cannot read %1</source>
        <translation>%1 を読み込めません</translation>
    </message>
    <message>
        <source>%1 is empty</source>
        <translation>%1 は空です</translation>
    </message>
    <message>
        <source>%1 is larger than a slot holds (65,535 bytes)</source>
        <translation>%1 はスロットの容量 (65,535 バイト) を超えています</translation>
    </message>
    <message>
        <source>interrupted</source>
        <translation>中断しました</translation>
    </message>
    <message>
        <source>%1: %2 of %3 bytes (%4%)</source>
        <translation>%1: %2 / %3 バイト (%4%)</translation>
    </message>
    <message>
        <source>%1: %2 bytes</source>
        <translation>%1: %2 バイト</translation>
    </message>
    <message>
        <source>Receiving slot %1</source>
        <translation>スロット %1 を受信中</translation>
    </message>
    <message>
        <source>receiving slot %1</source>
        <translation>スロット %1 の受信</translation>
    </message>
    <message>
        <source>slot %1: %2 bytes -&gt; %3</source>
        <translation>スロット %1: %2 バイト -&gt; %3</translation>
    </message>
    <message>
        <source>the unit does not tell what its slots hold (%1); receiving them all</source>
        <translation>本体がスロットの内容を返しません (%1)。すべて受信します</translation>
    </message>
    <message>
        <source>the slot is 1..7</source>
        <translation>スロットは 1～7 で指定してください</translation>
    </message>
    <message>
        <source>reading the slot map</source>
        <translation>スロット状態の読み取り</translation>
    </message>
    <message>
        <source>slot %1: unchanged, %2 kept</source>
        <translation>スロット %1: 変更なし (%2 はそのままです)</translation>
    </message>
    <message>
        <source>no slot holds a picture</source>
        <translation>画像のあるスロットはありません</translation>
    </message>
    <message>
        <source>Sending to slot %1</source>
        <translation>スロット %1 へ送信中</translation>
    </message>
    <message>
        <source>sending to slot %1</source>
        <translation>スロット %1 への送信</translation>
    </message>
    <message>
        <source>slot %1: %2 bytes sent</source>
        <translation>スロット %1: %2 バイトを送信しました</translation>
    </message>
    <message>
        <source>storing</source>
        <translation>記憶</translation>
    </message>
    <message>
        <source>recalling</source>
        <translation>呼び出し</translation>
    </message>
    <message>
        <source>stored into slot %1</source>
        <translation>スロット %1 に記憶しました</translation>
    </message>
    <message>
        <source>recalled slot %1</source>
        <translation>スロット %1 を呼び出しました</translation>
    </message>
    <message>
        <source>command takes two letters, one argument character and an optional two-character parameter</source>
        <translation>command には 2 文字のコマンド、1 文字の引数、省略できる 2 文字のパラメーターを指定してください</translation>
    </message>
    <message>
        <source>command %1</source>
        <translation>コマンド %1</translation>
    </message>
    <message>
        <source>asking the model</source>
        <translation>機種の問い合わせ</translation>
    </message>
    <message>
        <source>asking the status</source>
        <translation>状態の問い合わせ</translation>
    </message>
    <message>
        <source>asking the slot map</source>
        <translation>スロット状態の問い合わせ</translation>
    </message>
    <message>
        <source>%1 is not a JPEG picture</source>
        <translation>%1 は JPEG 画像ではありません</translation>
    </message>
    <message>
        <source>unknown error</source>
        <translation>不明なエラー</translation>
    </message>
    <message>
        <source>%1 failed: %2 (code %3)</source>
        <translation>%1に失敗しました: %2 (コード %3)</translation>
    </message>
    <message>
        <source>cannot make the folder %1: %2</source>
        <translation>フォルダー %1 を作成できません: %2</translation>
    </message>
    <message>
        <source>cannot write in the folder %1: %2</source>
        <translation>フォルダー %1 に書き込めません: %2</translation>
    </message>
    <message>
        <source>%1 exists already; --overwrite replaces it</source>
        <translation>%1 はすでにあります。--overwrite を付けると置き換えます</translation>
    </message>
    <message>
        <source>&quot;TR&quot; moves pictures: use receive or send</source>
        <translation>&quot;TR&quot; は画像を転送するコマンドです。receive か send を使ってください</translation>
    </message>
    <message>
        <source>the unit knows no command &quot;%1&quot;; it knows %2</source>
        <translation>本体はコマンド &quot;%1&quot; に対応していません。対応しているのは %2 です</translation>
    </message>
    <message>
        <source>the unit&apos;s slot map cannot be read</source>
        <translation>本体のスロット状態を読み取れません</translation>
    </message>
    <message>
        <source>slot %1 is empty</source>
        <translation>スロット %1 は空です</translation>
    </message>
    <message>
        <source>slot %1 is protected</source>
        <translation>スロット %1 は保護されています</translation>
    </message>
    <message>
        <source>the unit is still storing a picture; try again shortly</source>
        <translation>本体はまだ画像を記憶しています。しばらくしてからやり直してください</translation>
    </message>
    <message>
        <source>%1 is a CMYK picture; the unit takes colour (YCbCr) and grey ones</source>
        <translation>%1 は CMYK 画像です。本体が扱えるのはカラー (YCbCr) とグレーの画像です</translation>
    </message>
    <message>
        <source>the unit answers again</source>
        <translation>本体が再び応答しています</translation>
    </message>
    <message>
        <source>asking the unit what its slots hold</source>
        <translation>スロット内容の問い合わせ</translation>
    </message>
    <message>
        <source>slot %1: empty on the unit (%2 kept)</source>
        <translation>スロット %1: 本体では空です (%2 はそのままです)</translation>
    </message>
    <message>
        <source>watching the unit&apos;s slots every %1 s into %2; Ctrl-C ends</source>
        <translation>本体のスロットを %1 秒ごとに監視して %2 に保存します。Ctrl-C で終了します</translation>
    </message>
    <message>
        <source>a FIFO</source>
        <translation>FIFO</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>ソケット</translation>
    </message>
    <message>
        <source>a device</source>
        <translation>デバイス</translation>
    </message>
    <message>
        <source>a folder</source>
        <translation>フォルダー</translation>
    </message>
    <message>
        <source>no regular file</source>
        <translation>通常のファイル以外のもの</translation>
    </message>
    <message>
        <source>%1 is %2, not a picture file</source>
        <translation>%1 は%2です。画像ファイルではありません</translation>
    </message>
    <message>
        <source>the line %1 is busy with another program</source>
        <translation>回線 %1 はほかのプログラムが使用中です</translation>
    </message>
    <message>
        <source>the line %1 is busy: another watch is running on it</source>
        <translation>回線 %1 は使用中です。ほかの watch が実行されています</translation>
    </message>
    <message>
        <source>%1 is %2, not a file a picture can be written over</source>
        <translation>%1 は%2です。画像で上書きできるファイルではありません</translation>
    </message>
    <message>
        <source>%1; asking again at every poll</source>
        <translation>%1。問い合わせのたびにやり直します</translation>
    </message>
    <message>
        <source>%1; trying again at every poll</source>
        <translation>%1。問い合わせのたびにやり直します</translation>
    </message>
    <message>
        <source>--fit belongs to send</source>
        <translation>--fit は send のオプションです</translation>
    </message>
    <message>
        <source>%1 is %2 x %3 pixels; the unit (%4) takes pictures of up to %5 x %6 (send --fit fits it)</source>
        <translation>%1 は %2 x %3 ピクセルです。本体 (%4) が扱える画像は %5 x %6 までです (send --fit で合わせられます)</translation>
    </message>
    <message>
        <source>%1 is not a picture that can be read</source>
        <translation>%1 は読み込める画像ではありません</translation>
    </message>
    <message>
        <source>%1 is not a JPEG file; this build fits JPEG files only (PNG, BMP, GIF, TIFF and WebP need the Linux build)</source>
        <translation>%1 は JPEG ファイルではありません。このビルドで合わせられるのは JPEG ファイルだけです (PNG、BMP、GIF、TIFF、WebP には Linux 版が必要です)</translation>
    </message>
    <message>
        <source>%1 has more than 100 megapixels</source>
        <translation>%1 は 1 億画素を超えています</translation>
    </message>
    <message>
        <source>%1 declares a larger picture than the file holds</source>
        <translation>%1 は、ファイルの中身よりも大きな画像サイズを示しています</translation>
    </message>
    <message>
        <source>%1 does not fit a slot (65,535 bytes) even at the lowest JPEG quality</source>
        <translation>%1 は JPEG の画質を最低にしてもスロット (65,535 バイト) に収まりません</translation>
    </message>
    <message>
        <source>%1 needs more memory than there is</source>
        <translation>%1 の処理にはメモリーが足りません</translation>
    </message>
    <message>
        <source>%1 cannot be fitted</source>
        <translation>%1 を本体に合わせられません</translation>
    </message>
    <message>
        <source>%1 cannot be opened: %2</source>
        <translation>%1 を開けません: %2</translation>
    </message>
    <message>
        <source>no such file</source>
        <translation>ファイルがありません</translation>
    </message>
    <message>
        <source>%1 is not a picture file</source>
        <translation>%1 は画像ファイルではありません</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>%1 を読み込めません: %2</translation>
    </message>
    <message>
        <source>%1 is larger than the 512 MiB a picture to fit may have</source>
        <translation>%1 は、合わせる画像の上限 (512 MiB) を超えています</translation>
    </message>
    <message>
        <source>%1 cannot be read</source>
        <translation>%1 を読み込めません</translation>
    </message>
    <message>
        <source>the unit&apos;s model &quot;%1&quot; is not known here, so neither is its picture size</source>
        <translation>本体の機種 &quot;%1&quot; は不明なため、画像サイズもわかりません</translation>
    </message>
    <message>
        <source>%1: fitted to %2 x %3, %4 bytes</source>
        <translation>%1: %2 x %3 に合わせました (%4 バイト)</translation>
    </message>
    <message>
        <source>every slot holds a picture; --slot N overwrites slot N</source>
        <translation>すべてのスロットに画像があります。--slot N でスロット N に上書きできます</translation>
    </message>
    <message>
        <source>storing into slot %1</source>
        <translation>スロット %1 への記憶</translation>
    </message>
    <message>
        <source>Usage: ovaline-cli [--port N] [--baud RATE] [--device NAME] COMMAND

Talks to the document camera on serial port N (1..4, default 1) at RATE bit/s
(2400, 4800, 9600, 19200, 38400, 57600 or 115200; default 9600).
--device names the port&apos;s device (a path such as /dev/ttyUSB0, or &quot;virtual&quot; for
the built-in virtual camera); otherwise OVALINE_COM&lt;N&gt; or /dev/ttyS&lt;N-1&gt; is used.

Commands:
  model                      the unit&apos;s model
  status                     the unit&apos;s controls, in words
  map                        what the seven memory slots hold
  receive SLOT [-o DIR]      save slot SLOT (1..7) as DIR/slotSLOT.jpg
  receive --all [-o DIR]     save every slot that holds a picture
          [--overwrite]      replace files that are there (kept otherwise)
  receive --all --new [-o DIR]
                             the same, skipping a slot whose DIR/slotN.jpg is
                             already its picture (same size and CRC-32) and
                             replacing the files that differ
  send FILE SLOT             send a JPEG file (at most 65,535 bytes, no larger
                             than the unit&apos;s picture) into a slot
  send --fit FILE SLOT       send any picture: a JPEG of another size, or (in
                             the Linux build) a PNG, BMP, GIF, TIFF or WebP;
                             it is turned upright by its EXIF orientation,
                             scaled into the unit&apos;s picture size on black
                             margins and sent as the best JPEG a slot holds
  store SLOT                 store the live picture into a slot
  recall SLOT                show a slot&apos;s picture on the unit&apos;s output
  watch [-o DIR] [--every SECONDS]
                             keep DIR/slotN.jpg in step with the unit: ask every
                             SECONDS (default 2) what the slots hold and save each
                             picture that differs, one line each, until Ctrl-C
  capture [-o DIR] [--slot N]
                             store the live picture into the first empty slot
                             (--slot N: into slot N, overwriting it), receive it
                             and save it as DIR/YYYY-MM-DD HH-MM-SS.JPG; prints
                             the file&apos;s path
  command XX A [PP]          send command XX with argument A and parameter PP
  --help                     this text
  --version                  the program&apos;s version

Exit status: 0 done, 1 the unit or the line failed, 2 wrong usage, 3 a file failed,
130 or 143 interrupted by Ctrl-C or SIGTERM (the exchange is cancelled, no file made).
</source>
        <translation>使い方: ovaline-cli [--port N] [--baud RATE] [--device NAME] COMMAND

シリアルポート N (1～4、既定は 1) に RATE bit/s でつないだ書画カメラを操作します
(2400、4800、9600、19200、38400、57600、115200 のいずれか。既定は 9600)。
--device でポートのデバイスを指定します (/dev/ttyUSB0 などのパス、または内蔵の
仮想カメラを表す &quot;virtual&quot;)。指定しないときは OVALINE_COM&lt;N&gt; か /dev/ttyS&lt;N-1&gt; を使います。

コマンド:
  model                      本体の機種を表示します
  status                     本体の操作状態を表示します
  map                        7 つのメモリースロットの内容を表示します
  receive SLOT [-o DIR]      スロット SLOT (1～7) を DIR/slotSLOT.jpg に保存します
  receive --all [-o DIR]     画像のあるすべてのスロットを保存します
          [--overwrite]      既存のファイルを置き換えます (指定しないときは残します)
  receive --all --new [-o DIR]
                             上と同じですが、DIR/slotN.jpg がすでにそのスロットの画像
                             (サイズと CRC-32 が同じ) であるスロットは飛ばし、
                             異なるファイルだけを置き換えます
  send FILE SLOT             JPEG ファイル (65,535 バイト以下、本体の画像サイズ以下) を
                             スロットに送信します
  send --fit FILE SLOT       どんな画像でも送信します: 別のサイズの JPEG、または
                             (Linux 版では) PNG、BMP、GIF、TIFF、WebP。EXIF の向きの
                             情報で正しい向きに直し、黒い余白を付けて本体の画像サイズに
                             縮小し、スロットに収まる最高画質の JPEG にして送信します
  store SLOT                 ライブ画像をスロットに記憶します
  recall SLOT                スロットの画像を本体の出力に表示します
  watch [-o DIR] [--every SECONDS]
                             DIR/slotN.jpg を本体と同じ内容に保ちます。SECONDS 秒
                             (既定は 2) ごとにスロットの内容を問い合わせ、変わった画像を
                             1 行ずつ報告して保存します。Ctrl-C で終了します
  capture [-o DIR] [--slot N]
                             ライブ画像を最初の空きスロットに記憶し (--slot N のときは
                             スロット N に上書きします)、受信して
                             DIR/YYYY-MM-DD HH-MM-SS.JPG に保存し、ファイルのパスを
                             表示します
  command XX A [PP]          コマンド XX を引数 A とパラメーター PP で送信します
  --help                     この説明を表示します
  --version                  プログラムのバージョンを表示します

終了ステータス: 0 完了、1 本体または回線のエラー、2 使い方の誤り、3 ファイルのエラー、
130 または 143 Ctrl-C か SIGTERM による中断 (通信は取り消され、ファイルは作られません)。
</translation>
    </message>
    <message>
        <source>%1 needs a slot</source>
        <translation>%1 にはスロット番号が必要です</translation>
    </message>
    <message>
        <source>the slot is 1..7, not &quot;%1&quot;</source>
        <translation>スロットは 1～7 で指定してください (&quot;%1&quot; は指定できません)</translation>
    </message>
    <message>
        <source>--slot belongs to capture</source>
        <translation>--slot は capture で使うオプションです</translation>
    </message>
</context>
<context>
    <name>CommandLink</name>
    <message>
        <source>Unknown error</source>
        <translation>不明なエラー</translation>
    </message>
    <message>
        <source>DLL failed sending or receiving data
  DLL ERROR CODE : %1
  (%2)</source>
        <translation>DLL でデータの送受信に失敗しました
  DLL エラーコード : %1
  (%2)</translation>
    </message>
    <message>
        <source>DLL failed sending or receiving data [%1] 
  DLL ERROR CODE : %2
  (%3)</source>
        <translation>DLL でデータの送受信に失敗しました [%1] 
  DLL エラーコード : %2
  (%3)</translation>
    </message>
</context>
<context>
    <name>FolderTree</name>
    <message>
        <source>Home</source>
        <translation>ホーム</translation>
    </message>
    <message>
        <source>Desktop</source>
        <translation>デスクトップ</translation>
    </message>
    <message>
        <source>Computer</source>
        <translation>コンピューター</translation>
    </message>
</context>
<context>
    <name>ProfileFile</name>
    <message>
        <source>Some lines of the settings file %1 could not be read.
They were left out and the other settings are used; the old file was kept as %2.</source>
        <translation>設定ファイル %1 の一部の行を読み込めませんでした。
それらの行は無視し、ほかの設定を使います。元のファイルは %2 として残しました。</translation>
    </message>
    <message>
        <source>The settings file %1 could not be read.
The default settings are used and the file is left as it is; settings changed now are not saved.</source>
        <translation>設定ファイル %1 を読み込めませんでした。
既定の設定を使い、ファイルはそのままにします。これから変更した設定は保存されません。</translation>
    </message>
    <message>
        <source>Unable to write the settings file %1.
The settings of this session are not saved.</source>
        <translation>設定ファイル %1 に書き込めません。
今回の設定は保存されません。</translation>
    </message>
    <message>
        <source>Some lines of the settings file %1 could not be read, and the file cannot be rewritten.
The other settings are used. The file was left as it is; settings changed now are not saved.</source>
        <translation>設定ファイル %1 の一部の行を読み込めず、ファイルを書き直すこともできません。
ほかの設定を使います。ファイルはそのままにします。これから変更した設定は保存されません。</translation>
    </message>
</context>
<context>
    <name>RateSearch</name>
    <message>
        <source>Main unit at %1 bit/s</source>
        <translation>本体を %1 bit/s で検出しました</translation>
    </message>
</context>
<context>
    <name>RemoteControls</name>
    <message>
        <source>POSI/NEGA</source>
        <translation>ポジ/ネガ</translation>
    </message>
    <message>
        <source>MAIN</source>
        <translation>メイン</translation>
    </message>
    <message>
        <source>TELE</source>
        <translation>テレ (ズームイン)</translation>
    </message>
    <message>
        <source>COLOR/B&amp;W</source>
        <translation>カラー/白黒</translation>
    </message>
    <message>
        <source>SUB</source>
        <translation>サブ</translation>
    </message>
    <message>
        <source>WIDE</source>
        <translation>ワイド (ズームアウト)</translation>
    </message>
    <message>
        <source>UPPER</source>
        <translation>上部ライト</translation>
    </message>
    <message>
        <source>AV 1</source>
        <translation>AV 1</translation>
    </message>
    <message>
        <source>NEAR</source>
        <translation>フォーカス 近</translation>
    </message>
    <message>
        <source>BASE</source>
        <translation>ベースライト</translation>
    </message>
    <message>
        <source>AV 2</source>
        <translation>AV 2</translation>
    </message>
    <message>
        <source>FAR</source>
        <translation>フォーカス 遠</translation>
    </message>
    <message>
        <source>AF</source>
        <translation>オートフォーカス</translation>
    </message>
    <message>
        <source>IRIS NORMAL</source>
        <translation>絞り 標準</translation>
    </message>
    <message>
        <source>IRIS OPEN</source>
        <translation>絞り 開く</translation>
    </message>
    <message>
        <source>IRIS CLOSE</source>
        <translation>絞り 閉じる</translation>
    </message>
    <message>
        <source>LOCK</source>
        <translation>パネルロック</translation>
    </message>
    <message>
        <source>POINTER</source>
        <translation>ポインター</translation>
    </message>
    <message>
        <source>2x</source>
        <translation>2 倍</translation>
    </message>
    <message>
        <source>PAUSE</source>
        <translation>一時停止</translation>
    </message>
    <message>
        <source>SET</source>
        <translation>メモリー登録</translation>
    </message>
    <message>
        <source>RECALL</source>
        <translation>メモリー呼び出し</translation>
    </message>
    <message>
        <source>pointer up-left</source>
        <translation>ポインター 左上</translation>
    </message>
    <message>
        <source>pointer left</source>
        <translation>ポインター 左</translation>
    </message>
    <message>
        <source>pointer down-left</source>
        <translation>ポインター 左下</translation>
    </message>
    <message>
        <source>pointer up</source>
        <translation>ポインター 上</translation>
    </message>
    <message>
        <source>pointer down</source>
        <translation>ポインター 下</translation>
    </message>
    <message>
        <source>pointer up-right</source>
        <translation>ポインター 右上</translation>
    </message>
    <message>
        <source>pointer right</source>
        <translation>ポインター 右</translation>
    </message>
    <message>
        <source>pointer down-right</source>
        <translation>ポインター 右下</translation>
    </message>
</context>
<context>
    <name>ResultText</name>
    <message>
        <source>Failed to open COM</source>
        <translation>COM ポートを開けません</translation>
    </message>
    <message>
        <source>Failed to send (write) COM</source>
        <translation>COM ポートへの送信 (書き込み) に失敗しました</translation>
    </message>
    <message>
        <source>Time out</source>
        <translation>タイムアウトしました</translation>
    </message>
    <message>
        <source>Hand shake (error of RTS-CTS)</source>
        <translation>ハンドシェイクエラー (RTS-CTS)</translation>
    </message>
    <message>
        <source>Received NAK</source>
        <translation>NAK を受信しました</translation>
    </message>
    <message>
        <source>Received invalid ACK</source>
        <translation>無効な ACK を受信しました</translation>
    </message>
    <message>
        <source>Time out receiving ACK</source>
        <translation>ACK の受信がタイムアウトしました</translation>
    </message>
    <message>
        <source>Failed to initialize DCB structure</source>
        <translation>DCB 構造体を初期化できません</translation>
    </message>
    <message>
        <source>STX or ETX is incorrect place when receiving</source>
        <translation>受信データの STX または ETX の位置が正しくありません</translation>
    </message>
    <message>
        <source>Image is not memorized at VP</source>
        <translation>本体に画像が記憶されていません</translation>
    </message>
    <message>
        <source>Wrong data was received when sending</source>
        <translation>送信中に誤ったデータを受信しました</translation>
    </message>
    <message>
        <source>Received QUEUE is over flown</source>
        <translation>受信キューがあふれました</translation>
    </message>
    <message>
        <source>Received data over-run-error</source>
        <translation>受信データのオーバーランエラーです</translation>
    </message>
    <message>
        <source>Received data framing error</source>
        <translation>受信データのフレーミングエラーです</translation>
    </message>
</context>
<context>
    <name>SelectControls</name>
    <message>
        <source>slot 1</source>
        <translation>スロット 1</translation>
    </message>
    <message>
        <source>slot 2</source>
        <translation>スロット 2</translation>
    </message>
    <message>
        <source>slot 3</source>
        <translation>スロット 3</translation>
    </message>
    <message>
        <source>slot 4</source>
        <translation>スロット 4</translation>
    </message>
    <message>
        <source>slot 5</source>
        <translation>スロット 5</translation>
    </message>
    <message>
        <source>slot 6</source>
        <translation>スロット 6</translation>
    </message>
    <message>
        <source>slot 7</source>
        <translation>スロット 7</translation>
    </message>
    <message>
        <source>CANCEL</source>
        <translation>キャンセル</translation>
    </message>
</context>
<context>
    <name>StringTable</name>
    <message>
        <source>Ovaline</source>
        <translation>Ovaline</translation>
    </message>
    <message>
        <source>Now File Reading</source>
        <translation>ファイルを読み込んでいます</translation>
    </message>
    <message>
        <source>Now receiving, [ESC]is Stop</source>
        <translation>受信しています。[ESC] で中止します</translation>
    </message>
    <message>
        <source>Now Sending</source>
        <translation>送信しています</translation>
    </message>
    <message>
        <source>Now Stoped</source>
        <translation>中止しました</translation>
    </message>
    <message>
        <source>Now Auto Focusing</source>
        <translation>オートフォーカス中です</translation>
    </message>
    <message>
        <source>Receive Image Data
Receive</source>
        <translation>本体から画像データを受信します
受信</translation>
    </message>
    <message>
        <source>Remote Control
Remote</source>
        <translation>リモコンを表示します
リモコン</translation>
    </message>
    <message>
        <source>Open Folder
Open</source>
        <translation>フォルダーを開きます
開く</translation>
    </message>
    <message>
        <source>Setup Connector &amp; Baud Rate
Setup</source>
        <translation>接続ポートと通信速度を設定します
設定</translation>
    </message>
    <message>
        <source>Save Image Data
Save</source>
        <translation>画像データを保存します
保存</translation>
    </message>
    <message>
        <source>Read the folder again
Refresh</source>
        <translation>フォルダーを読み直します
更新</translation>
    </message>
    <message>
        <source>READY</source>
        <translation>準備完了</translation>
    </message>
    <message>
        <source>About Ovaline
About</source>
        <translation>Ovaline のバージョン情報を表示します
バージョン情報</translation>
    </message>
    <message>
        <source>Program terminate
Exit</source>
        <translation>プログラムを終了します
終了</translation>
    </message>
    <message>
        <source>Store the live picture and save it into the folder
Capture</source>
        <translation>ライブ画像を記憶してフォルダーに保存します
取り込み</translation>
    </message>
</context>
<context>
    <name>UnchangedSlots</name>
    <message>
        <source>Slot %1 unchanged</source>
        <translation>スロット %1 は変更なし</translation>
    </message>
    <message>
        <source>Slots %1 and %2 unchanged</source>
        <translation>スロット %1 と %2 は変更なし</translation>
    </message>
    <message>
        <source>, </source>
        <translation>、</translation>
    </message>
</context>
<context>
    <name>ovaline::app::CAboutDlg</name>
    <message>
        <source>Version (Ovaline)</source>
        <translation>バージョン情報 (Ovaline)</translation>
    </message>
    <message>
        <source>Ovaline Version 2.0</source>
        <translation>Ovaline バージョン 2.0</translation>
    </message>
    <message>
        <source>(C) The Ovaline developers</source>
        <translation>(C) Ovaline 開発者</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>ovaline::app::CMainFrame</name>
    <message>
        <source>Open Folder(&amp;O).</source>
        <translation>フォルダーを開く(&amp;O)...</translation>
    </message>
    <message>
        <source>Save(&amp;A)...</source>
        <translation>保存(&amp;A)...</translation>
    </message>
    <message>
        <source>Exit(&amp;X)</source>
        <translation>終了(&amp;X)</translation>
    </message>
    <message>
        <source>Receive(&amp;R)</source>
        <translation>受信(&amp;R)</translation>
    </message>
    <message>
        <source>Remote(&amp;M)</source>
        <translation>リモコン(&amp;M)</translation>
    </message>
    <message>
        <source>Setup(&amp;S)</source>
        <translation>設定(&amp;S)</translation>
    </message>
    <message>
        <source>Version(Ovaline) (&amp;V)...</source>
        <translation>バージョン情報 (Ovaline)(&amp;V)...</translation>
    </message>
    <message>
        <source>Timer Not Create</source>
        <translation>タイマーを作成できません。</translation>
    </message>
    <message>
        <source>Refresh(&amp;R)</source>
        <translation>最新の情報に更新(&amp;R)</translation>
    </message>
    <message>
        <source>File(&amp;F)</source>
        <translation>ファイル(&amp;F)</translation>
    </message>
    <message>
        <source>Transfer(&amp;T)</source>
        <translation>転送(&amp;T)</translation>
    </message>
    <message>
        <source>Remote(&amp;R)</source>
        <translation>リモコン(&amp;R)</translation>
    </message>
    <message>
        <source>Help(&amp;H)</source>
        <translation>ヘルプ(&amp;H)</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>標準</translation>
    </message>
    <message>
        <source>Capture(&amp;C)</source>
        <translation>取り込み(&amp;C)</translation>
    </message>
</context>
<context>
    <name>ovaline::app::CMemoryStore</name>
    <message>
        <source>Timer Not Create</source>
        <translation>タイマーを作成できません。</translation>
    </message>
</context>
<context>
    <name>ovaline::app::CMyView</name>
    <message>
        <source>File Not Open</source>
        <translation>ファイルを開けません</translation>
    </message>
    <message>
        <source>The dragged slot holds no picture: nothing was saved.</source>
        <translation>ドラッグしたスロットには画像がありません。何も保存しませんでした。</translation>
    </message>
    <message>
        <source>The destination folder is not selected</source>
        <translation>保存先のフォルダーが選択されていません</translation>
    </message>
    <message>
        <source>More than 35 images cannot be displayed</source>
        <translation>35 枚を超える画像は表示できません</translation>
    </message>
    <message>
        <source>Unable to create a file</source>
        <translation>ファイルを作成できません</translation>
    </message>
    <message>
        <source>Same file name exists</source>
        <translation>同じ名前のファイルがあります</translation>
    </message>
</context>
<context>
    <name>ovaline::app::COvalineApp</name>
    <message>
        <source>Main unit on %1</source>
        <translation>本体を %1 で検出しました</translation>
    </message>
    <message>
        <source>Failed to connect to the main unit.
 Please set up correctly.</source>
        <translation>本体に接続できませんでした。
 正しく設定してください。</translation>
    </message>
    <message>
        <source>Program Exit?</source>
        <translation>プログラムを終了しますか？</translation>
    </message>
    <message>
        <source>Main unit on %1: %2</source>
        <translation>本体を %1 で検出しました: %2</translation>
    </message>
    <message>
        <source>%1 device removed</source>
        <translation>%1 のデバイスが取り外されました</translation>
    </message>
    <message>
        <source>The device %1 of %2 was removed.</source>
        <translation>%2 のデバイス %1 が取り外されました。</translation>
    </message>
    <message>
        <source>%1 does not open</source>
        <translation>%1 を開けません</translation>
    </message>
</context>
<context>
    <name>ovaline::app::COvalineDoc</name>
    <message>
        <source>Unable to save the data when sending.</source>
        <translation>送信中はデータを保存できません。</translation>
    </message>
    <message>
        <source>No data received from the main unit</source>
        <translation>本体からデータを受信していません</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>名前を付けて保存</translation>
    </message>
    <message>
        <source>JPEG Files (*.jpg)</source>
        <translation>JPEG ファイル (*.jpg)</translation>
    </message>
    <message>
        <source>No image in the main unit memory
Re-send the image to PC from the main unit</source>
        <translation>本体のメモリーに画像がありません
本体から PC へ画像を送り直してください</translation>
    </message>
    <message>
        <source>Unable to create a file</source>
        <translation>ファイルを作成できません</translation>
    </message>
    <message>
        <source>%1 is no folder that can be read.</source>
        <translation>%1 は読み込めるフォルダーではありません。</translation>
    </message>
</context>
<context>
    <name>ovaline::app::COvalineView</name>
    <message>
        <source>Load Memory Error!</source>
        <translation>メモリーからの読み込みに失敗しました。</translation>
    </message>
    <message>
        <source>No image in the main unit memory.</source>
        <translation>本体のメモリーに画像がありません。</translation>
    </message>
    <message>
        <source>File Not Open</source>
        <translation>ファイルを開けません</translation>
    </message>
    <message>
        <source>The file is empty: nothing was sent.</source>
        <translation>ファイルが空です。何も送信しませんでした。</translation>
    </message>
    <message>
        <source>The file is larger than 65,535 bytes: nothing was sent.</source>
        <translation>ファイルが 65,535 バイトを超えています。何も送信しませんでした。</translation>
    </message>
    <message>
        <source>File read error</source>
        <translation>ファイルの読み込みに失敗しました</translation>
    </message>
    <message>
        <source>The main unit&apos;s model is not known: nothing was sent.</source>
        <translation>本体の機種がわかりません。何も送信しませんでした。</translation>
    </message>
    <message>
        <source>The file is not a JPEG picture of %1 x %2 pixels, the main unit&apos;s size: nothing was sent.</source>
        <translation>本体の画像サイズ (%1 x %2 ピクセル) の JPEG 画像ではありません。何も送信しませんでした。</translation>
    </message>
    <message>
        <source>Do you want to over-write?</source>
        <translation>上書きしますか？</translation>
    </message>
    <message>
        <source>Protected</source>
        <translation>保護されています</translation>
    </message>
    <message>
        <source> You can not send the image data from PC to the main unit 
at this baud rate(115,200). 
 Please lower the baud rate to 57,600.</source>
        <translation> この通信速度 (115,200) では PC から本体へ
画像データを送信できません。
 通信速度を 57,600 に下げてください。</translation>
    </message>
    <message>
        <source>Copy Picture</source>
        <translation>画像をコピー</translation>
    </message>
    <message>
        <source>Slot %1 could not be written for a drop outside Ovaline</source>
        <translation>Ovaline の外へドロップするためのスロット %1 のファイルを書き込めませんでした</translation>
    </message>
    <message>
        <source>Receive this slot</source>
        <translation>このスロットを受信</translation>
    </message>
    <message>
        <source>Paste Picture</source>
        <translation>画像を貼り付け</translation>
    </message>
    <message>
        <source>Save As…</source>
        <translation>名前を付けて保存…</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>表示</translation>
    </message>
    <message>
        <source>The picture has more than 100 megapixels: nothing was sent.</source>
        <translation>画像が 1 億画素を超えています。何も送信しませんでした。</translation>
    </message>
    <message>
        <source>The picture does not fit into a slot of 65,535 bytes even at the lowest JPEG quality: nothing was sent.</source>
        <translation>JPEG の画質を最低にしても画像が 65,535 バイトのスロットに収まりません。何も送信しませんでした。</translation>
    </message>
    <message>
        <source>There is not enough memory to fit the picture: nothing was sent.</source>
        <translation>画像を合わせるためのメモリーが足りません。何も送信しませんでした。</translation>
    </message>
    <message>
        <source>This file is not a picture Ovaline can read</source>
        <translation>このファイルは Ovaline で読み込める画像ではありません</translation>
    </message>
    <message>
        <source>Fit this picture to the camera&apos;s %1 x %2 and send it?</source>
        <translation>この画像をカメラの %1 x %2 に合わせて送信しますか？</translation>
    </message>
    <message>
        <source>Slot %1 copied</source>
        <translation>スロット %1 をコピーしました</translation>
    </message>
    <message>
        <source>Click a slot frame first: the picture goes into the chosen slot.</source>
        <translation>先にスロットの枠をクリックしてください。画像は選んだスロットに入ります。</translation>
    </message>
    <message>
        <source>The clipboard holds no picture to paste.</source>
        <translation>クリップボードに貼り付けられる画像がありません。</translation>
    </message>
</context>
<context>
    <name>ovaline::app::CProgressStatusBar</name>
    <message>
        <source>Progress</source>
        <translation>進行状況</translation>
    </message>
</context>
<context>
    <name>ovaline::app::CSetupDlg</name>
    <message>
        <source>CANCEL</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>PORT:</source>
        <translation>ポート:</translation>
    </message>
    <message>
        <source>BAUD RATE:</source>
        <translation>通信速度:</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>デバイス</translation>
    </message>
    <message>
        <source>SET UP</source>
        <translation>設定</translation>
    </message>
    <message>
        <source> When you send the image data from PC to the main unit,
please lower the baud rate.</source>
        <translation> PC から本体へ画像データを送信するときは、
通信速度を下げてください。</translation>
    </message>
    <message>
        <source>Failed to connect to the main unit. Please set up correctly.</source>
        <translation>本体に接続できませんでした。正しく設定してください。</translation>
    </message>
</context>
<context>
    <name>ovaline::app::CSlotStrip</name>
    <message>
        <source>Camera memory</source>
        <translation>カメラのメモリー</translation>
    </message>
</context>
<context>
    <name>ovaline::app::CThumbSheet</name>
    <message>
        <source>Pictures of the folder</source>
        <translation>フォルダーの画像</translation>
    </message>
</context>
<context>
    <name>ovaline::control::CRemoteWnd</name>
    <message>
        <source> Unlocked
 Re-send the image to PC from the main unit,
 when the main unit memory is changed or deleted</source>
        <translation> ロックを解除しました
 本体のメモリーを変更または削除したときは、
 本体から PC へ画像を送り直してください</translation>
    </message>
    <message>
        <source> Locked the image
 Re-send the image to PC from the main unit, 
 when the main unit memory is changed or deleted</source>
        <translation> 画像をロックしました
 本体のメモリーを変更または削除したときは、
 本体から PC へ画像を送り直してください</translation>
    </message>
    <message>
        <source>REMOTE CONTROL</source>
        <translation>リモコン</translation>
    </message>
    <message>
        <source>SET</source>
        <translation>メモリー登録</translation>
    </message>
    <message>
        <source>RECALL</source>
        <translation>メモリー呼び出し</translation>
    </message>
    <message>
        <source>Timer Not Create</source>
        <translation>タイマーを作成できません。</translation>
    </message>
</context>
<context>
    <name>ovaline::control::CSelectWnd</name>
    <message>
        <source>Unable to memorize when reading</source>
        <translation>読み込み中は記憶できません</translation>
    </message>
    <message>
        <source>Protected</source>
        <translation>保護されています</translation>
    </message>
    <message>
        <source>No image in the main unit memory</source>
        <translation>本体のメモリーに画像がありません</translation>
    </message>
</context>
<context>
    <name>ovaline::folder::CFolderDlg</name>
    <message>
        <source>CANCEL</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>SELECT FOLDER</source>
        <translation>フォルダーの選択</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>フォルダー</translation>
    </message>
</context>
<context>
    <name>ovaline::imageview::CCapture</name>
    <message>
        <source>Unable to memorize when reading</source>
        <translation>読み込み中は記憶できません</translation>
    </message>
    <message>
        <source>Every slot of the main unit holds a protected picture.</source>
        <translation>本体のすべてのスロットに保護された画像があります。</translation>
    </message>
    <message>
        <source>Now storing, [ESC]is Stop</source>
        <translation>記憶しています。[ESC] で中止します</translation>
    </message>
    <message>
        <source>Now saving, [ESC]is Stop</source>
        <translation>保存しています。[ESC] で中止します</translation>
    </message>
    <message>
        <source>Saved %1</source>
        <translation>%1 を保存</translation>
    </message>
    <message>
        <source>Unable to create a file</source>
        <translation>ファイルを作成できません</translation>
    </message>
</context>
<context>
    <name>ovaline::imageview::CCaptureSlotDlg</name>
    <message>
        <source>Every slot of the main unit holds a picture.
Which one shall the new picture replace?</source>
        <translation>本体のすべてのスロットに画像があります。
新しい画像でどのスロットを置き換えますか?</translation>
    </message>
    <message>
        <source>Protected</source>
        <translation>保護されています</translation>
    </message>
</context>
<context>
    <name>ovaline::imageview::CFileNameDlg</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>CANCEL</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>INPUT FOLDER</source>
        <translation>ファイル名の入力</translation>
    </message>
    <message>
        <source>File name</source>
        <translation>ファイル名</translation>
    </message>
</context>
<context>
    <name>ovaline::imageview::ImageWindowFrame</name>
    <message>
        <source>IMAGE WINDOW</source>
        <translation>画像ウィンドウ</translation>
    </message>
    <message>
        <source>Copy Picture</source>
        <translation>画像をコピー</translation>
    </message>
</context>
</TS>
