<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ja_JP">
<context>
    <name>tracemill::app::FieldText</name>
    <message>
        <source>%1 には -%2 から %2 までの数値を入力してください。</source>
        <translation>%1 must be a number from -%2 to %2.</translation>
    </message>
    <message>
        <source>%1 には 0 から 2147483647 までの整数を入力してください。</source>
        <translation>%1 must be a whole number from 0 to 2147483647.</translation>
    </message>
</context>
<context>
    <name>tracemill::app::MainDialog</name>
    <message>
        <source>文字幅(&amp;W)：</source>
        <translation>Character &amp;width:</translation>
    </message>
    <message>
        <source>文字高(&amp;E)：</source>
        <translation>Character h&amp;eight:</translation>
    </message>
    <message>
        <source>線幅(&amp;L)：</source>
        <translation>&amp;Line width:</translation>
    </message>
    <message>
        <source>文字間隔(&amp;I)：</source>
        <translation>Character spac&amp;ing:</translation>
    </message>
    <message>
        <source>行間隔(&amp;S)：</source>
        <translation>Line &amp;spacing:</translation>
    </message>
    <message>
        <source>枠幅(&amp;B)：</source>
        <translation>Fra&amp;me width:</translation>
    </message>
    <message>
        <source>枠高(&amp;A)：</source>
        <translation>Fr&amp;ame height:</translation>
    </message>
    <message>
        <source>枠行文字数(&amp;N)：</source>
        <translation>Characte&amp;rs per row:</translation>
    </message>
    <message>
        <source>枠行数(&amp;V)：</source>
        <translation>R&amp;ows:</translation>
    </message>
    <message>
        <source>枠文字間隔％(&amp;G)：</source>
        <translation>Character spacin&amp;g %:</translation>
    </message>
    <message>
        <source>枠行間隔％(&amp;O)：</source>
        <translation>Li&amp;ne spacing %:</translation>
    </message>
    <message>
        <source>枠線幅％(&amp;D)：</source>
        <translation>Line wi&amp;dth %:</translation>
    </message>
    <message>
        <source>tracemill は、入力した文字を DXF ファイルの図形にします。
文字ごとに、ペンの中心が通る線（色 4、水色）と、線幅のペンがなぞった範囲の輪郭（色 6、赤紫）を、線分と円弧と円で書き出します。文字の並び全体は枠で囲まれ、原点を中心に置かれます。

ファイル：「参照」で作成する DXF ファイルを指定します。
文字幅・文字高：1 文字の枠の幅と高さです。
線幅：ペンの太さ（直径）です。文字幅・文字高より小さくします。
文字間隔・行間隔：隣り合う文字の間と、行と行の間の隙間です。
文字：書き出す文字です。Enter で次の行になります。半角の英数字と記号が使えます。
作成：DXF ファイルを作成します。ファイルが既にあるときは上書きするかを尋ねます。

枠計算：枠幅 × 枠高 の枠に、枠行数 の行を、1 行に 枠行文字数 の文字で並べるように、文字幅・文字高・文字間隔・行間隔・線幅を求めます。
&#x3000;文字幅 ＝ 枠幅 ÷（枠行文字数 ＋（枠行文字数 − 1）× 枠文字間隔％ ÷ 100）
&#x3000;文字間隔 ＝ 文字幅 × 枠文字間隔％ ÷ 100
&#x3000;文字高・行間隔も同じように 枠高・枠行数・枠行間隔％ から求めます。
&#x3000;線幅 ＝ 文字幅と文字高の小さい方 × 枠線幅％ ÷ 100

閉じた輪郭：輪郭を閉じたポリライン（円弧はふくらみで正確に）で、ペンの中心線をつないだポリラインで書き出します。切り抜きや塗りつぶしに使えます。
単位：DXF ファイルに単位（mm、inch）を書き込みます。「なし」では書き込みません。
Gコード：DXF ファイルと同じ名前の .nc ファイルに、機械の G コードも書き出します。ミル（彫刻機・ルーター）、レーザー、ペン（サーボのペンプロッタ）から選びます。経路は、中心線（一筆の彫刻）か 輪郭 です。送りは 1 分あたり、深さは Z0 からの切込み、出力％はレーザーの最大出力に対する割合です。長さの単位は図形と同じで、単位が inch のときは G20（inch）、ほかは G21（mm）です。原点 X0 Y0（文字の並びの中心）から始まり、原点に戻ります。

下の図は、今の値で作成される図形です。描けない文字があるときは、その理由が図の下に出ます。</source>
        <translation>tracemill turns typed text into a drawing in a DXF file.
For every character it writes the line the pen&apos;s centre follows (colour 4, cyan) and the outline of the area that a pen of the line width sweeps (colour 6, magenta), as lines, arcs and circles. A frame surrounds the whole text, which is centred on the origin.

File: choose the DXF file to write with &quot;Browse&quot;.
Character width, height: the width and height of one character&apos;s cell.
Line width: the thickness (diameter) of the pen; less than the character width and height.
Character spacing, line spacing: the gaps between neighbouring characters and between rows.
Text: the characters to draw; Enter starts the next row. Letters, digits and the symbols of ASCII can be drawn.
Create: writes the DXF file; when the file exists already, asks whether to replace it.

Calculate frame: finds the character width and height, the spacings and the line width that fit Rows rows of Characters per row characters into a frame Frame width wide and Frame height high.
  Character width = Frame width ÷ (Characters per row + (Characters per row − 1) × Character spacing % ÷ 100)
  Character spacing = Character width × Character spacing % ÷ 100
  Character height and line spacing likewise from Frame height, Rows and Line spacing %.
  Line width = the smaller of character width and height × Line width % ÷ 100

Closed polylines: writes the outline as closed polylines (arcs exactly, as bulges) and the pen&apos;s centre line as joined polylines, ready for cutting and filling.
Units: records the unit (mm, inch) in the DXF file; &quot;none&quot; records none.
G-code: also writes the machine program, a .nc file of the DXF file&apos;s name, for a mill (engraver, router), a laser or a pen (servo pen plotter). Cut path: the centre line (single-line engraving) or the outline. Feed is per minute, Z depth the cut below Z0, Power the laser&apos;s share of its maximum in %. Lengths are in the drawing&apos;s unit: G20 (inch) when the unit is inch, else G21 (mm). The program starts at the origin X0 Y0 (the middle of the text) and returns there.

The picture below shows the drawing the current values make. When a character cannot be drawn, the reason shows under it.</translation>
    </message>
    <message>
        <source>参照(&amp;F)</source>
        <translation>&amp;Browse...</translation>
    </message>
    <message>
        <source>作成</source>
        <translation>Create</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>ﾍﾙﾌﾟ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>枠計算(&amp;C)</source>
        <translation>&amp;Calculate frame</translation>
    </message>
    <message>
        <source>文字(&amp;T)：</source>
        <translation>&amp;Text:</translation>
    </message>
    <message>
        <source>閉じた輪郭(&amp;P)</source>
        <translation>Closed &amp;polylines</translation>
    </message>
    <message>
        <source>なし</source>
        <translation>none</translation>
    </message>
    <message>
        <source>単位(&amp;U)：</source>
        <translation>&amp;Units:</translation>
    </message>
    <message>
        <source>ファイル：</source>
        <translation>File:</translation>
    </message>
    <message>
        <source>作成DXFファイルを指定</source>
        <translation>Choose the DXF file to write</translation>
    </message>
    <message>
        <source>DXFファイル(.dxf) (*.dxf)</source>
        <translation>DXF files (*.dxf)</translation>
    </message>
    <message>
        <source>すべてのファイル(*.*) (*)</source>
        <translation>All files (*)</translation>
    </message>
    <message>
        <source>指定ファイルの削除に失敗しました。
&#x3000;指定したファイルは使用できません。</source>
        <translation>The chosen file cannot be replaced.
Choose another one.</translation>
    </message>
    <message>
        <source>tracemill を終了しますか？</source>
        <translation>Quit tracemill?</translation>
    </message>
    <message>
        <source>ミル</source>
        <translation>mill</translation>
    </message>
    <message>
        <source>レーザー</source>
        <translation>laser</translation>
    </message>
    <message>
        <source>ペン</source>
        <translation>pen</translation>
    </message>
    <message>
        <source>Gコード(&amp;K)：</source>
        <translation>G-code (&amp;K):</translation>
    </message>
    <message>
        <source>中心線</source>
        <translation>centre line</translation>
    </message>
    <message>
        <source>輪郭</source>
        <translation>outline</translation>
    </message>
    <message>
        <source>経路(&amp;R)：</source>
        <translation>Cut path (&amp;V):</translation>
    </message>
    <message>
        <source>送り(&amp;M)：</source>
        <translation>&amp;Feed:</translation>
    </message>
    <message>
        <source>深さ(&amp;Q)：</source>
        <translation>&amp;Z depth:</translation>
    </message>
    <message>
        <source>出力％(&amp;Y)：</source>
        <translation>Power % of ma&amp;x:</translation>
    </message>
</context>
</TS>
