<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>Commands</name>
    <message>
        <source>ｸﾞﾗﾌ全体の表示倍率を変更します。
表示倍率の変更</source>
        <translation>Changes the zoom of the whole graph.
Change zoom</translation>
    </message>
    <message>
        <source>ﾃﾞｰﾀ ﾌｧｲﾙを開く...</source>
        <translation>Data File &amp;List...</translation>
    </message>
    <message>
        <source>ﾃﾞｰﾀﾌｧｲﾙを開いてｸﾞﾗﾌを作成します。
ﾃﾞｰﾀﾌｧｲﾙを開く</source>
        <translation>Lists the data files of a folder and makes graphs of the chosen ones.
Data file list</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙを開く...</source>
        <translation>&amp;Open Data File...</translation>
    </message>
    <message>
        <source>ﾃﾞｰﾀ ﾌｧｲﾙを選んでｸﾞﾗﾌを作成します。
ﾌｧｲﾙを開く</source>
        <translation>Opens data files chosen in the file dialog as graphs.
Open data file</translation>
    </message>
    <message>
        <source>演算ﾃﾞｰﾀの保存...</source>
        <translation>&amp;Save Calculated Data...</translation>
    </message>
    <message>
        <source>表示しているｸﾞﾗﾌのﾃﾞｰﾀをCSVﾌｧｲﾙに保存します。
演算ﾃﾞｰﾀの保存</source>
        <translation>Saves the data of the graph shown as a CSV file.
Save calculated data</translation>
    </message>
    <message>
        <source>ｸﾞﾗﾌ･ﾌﾟﾛﾊﾟﾃｨ（ｶﾚﾝﾄ）...</source>
        <translation>Graph &amp;Properties (Current)...</translation>
    </message>
    <message>
        <source>このﾍﾟｰｼﾞのｸﾞﾗﾌ･ﾌﾟﾛﾊﾟﾃｨを設定します。
ｸﾞﾗﾌ･ﾌﾟﾛﾊﾟﾃｨ</source>
        <translation>Sets the graph properties of this page.
Graph properties</translation>
    </message>
    <message>
        <source>前ページを表示</source>
        <translation>Pre&amp;vious Page</translation>
    </message>
    <message>
        <source>前ページを表示します。
前ページの表示</source>
        <translation>Shows the previous page.
Previous page</translation>
    </message>
    <message>
        <source>次ページを表示</source>
        <translation>&amp;Next Page</translation>
    </message>
    <message>
        <source>次ページを表示します。
次ページの表示</source>
        <translation>Shows the next page.
Next page</translation>
    </message>
    <message>
        <source>ｸﾞﾗﾌ･ﾌﾟﾛﾊﾟﾃｨ（標準値）...</source>
        <translation>Graph Properties (&amp;Defaults)...</translation>
    </message>
    <message>
        <source>ｸﾞﾗﾌ･ﾌﾟﾛﾊﾟﾃｨの標準値を設定します。
ｸﾞﾗﾌ･ﾌﾟﾛﾊﾟﾃｨの標準値</source>
        <translation>Sets the default graph properties.
Default graph properties</translation>
    </message>
    <message>
        <source>表示ﾍﾟｰｼﾞを閉じる</source>
        <translation>&amp;Close Page</translation>
    </message>
    <message>
        <source>このﾍﾟｰｼﾞのｸﾞﾗﾌを閉じます。
表示ﾍﾟｰｼﾞを閉じる</source>
        <translation>Closes the graph of this page.
Close Page</translation>
    </message>
    <message>
        <source>ﾍﾟｰｼﾞへ移動...</source>
        <translation>&amp;Go to Page...</translation>
    </message>
    <message>
        <source>番号を指定してﾍﾟｰｼﾞを表示します。
ﾍﾟｰｼﾞへ移動</source>
        <translation>Shows the page with the number given.
Go to page</translation>
    </message>
    <message>
        <source>先頭ﾍﾟｰｼﾞを表示</source>
        <translation>&amp;First Page</translation>
    </message>
    <message>
        <source>最初のﾍﾟｰｼﾞを表示します。
先頭ﾍﾟｰｼﾞの表示</source>
        <translation>Shows the first page.
First page</translation>
    </message>
    <message>
        <source>最終ﾍﾟｰｼﾞを表示</source>
        <translation>&amp;Last Page</translation>
    </message>
    <message>
        <source>最後のﾍﾟｰｼﾞを表示します。
最終ﾍﾟｰｼﾞの表示</source>
        <translation>Shows the last page.
Last page</translation>
    </message>
    <message>
        <source>全ﾍﾟｰｼﾞを閉じる</source>
        <translation>Close &amp;All Pages</translation>
    </message>
    <message>
        <source>すべてのﾍﾟｰｼﾞのｸﾞﾗﾌを閉じます。
全ﾍﾟｰｼﾞを閉じる</source>
        <translation>Closes the graphs of all pages.
Close All Pages</translation>
    </message>
    <message>
        <source>ｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰ</source>
        <translation>&amp;Copy to Clipboard</translation>
    </message>
    <message>
        <source>表示ﾍﾟｰｼﾞのｲﾒｰｼﾞをｸﾘｯﾌﾟﾎﾞｰﾄﾞへ複写します。
ｸﾘｯﾌﾟﾎﾞｰﾄﾞへ複写</source>
        <translation>Copies the image of the page shown to the clipboard.
Copy to clipboard</translation>
    </message>
    <message>
        <source>標準値に戻す</source>
        <translation>&amp;Reset to Defaults</translation>
    </message>
    <message>
        <source>このﾍﾟｰｼﾞのｸﾞﾗﾌ･ﾌﾟﾛﾊﾟﾃｨを標準値に戻します。
標準値に戻す</source>
        <translation>Resets the graph properties of this page to the defaults.
Reset to Defaults</translation>
    </message>
    <message>
        <source>標準値として上書き</source>
        <translation>Make These the Defaults</translation>
    </message>
    <message>
        <source>このﾍﾟｰｼﾞのｸﾞﾗﾌ･ﾌﾟﾛﾊﾟﾃｨを標準値にします。
標準値として上書き</source>
        <translation>Makes the graph properties of this page the defaults.
Make These the Defaults</translation>
    </message>
    <message>
        <source>ｸﾛｽﾍｱｰ ｶｰｿﾙ</source>
        <translation>C&amp;ross-Hair Cursor</translation>
    </message>
    <message>
        <source>ﾏｳｽがｸﾞﾗﾌ内にあるときｸﾛｽﾍｱを表示／非表示します。
ｸﾛｽﾍｱの表示／非表示</source>
        <translation>Shows or hides the cross-hair while the mouse is over the graph.
Show/hide cross-hair</translation>
    </message>
    <message>
        <source>ｶｰﾌﾞの値を表示</source>
        <translation>C&amp;urve Readout</translation>
    </message>
    <message>
        <source>ﾏｳｽ位置の周波数でのｶｰﾌﾞのｹﾞｲﾝと位相を表示します。
ｶｰﾌﾞの値の表示／非表示</source>
        <translation>Shows the curve&apos;s gain and phase at the mouse&apos;s frequency.
Show/hide curve readout</translation>
    </message>
    <message>
        <source>範囲を拡大</source>
        <translation>&amp;Zoom into Range</translation>
    </message>
    <message>
        <source>ｸﾞﾗﾌ上でﾄﾞﾗｯｸﾞした範囲を表示します（右ﾎﾞﾀﾝのﾄﾞﾗｯｸﾞはいつでも）。
範囲の拡大</source>
        <translation>Shows the range dragged over the graph (a right-button drag always does).
Zoom into range</translation>
    </message>
    <message>
        <source>前の範囲に戻る</source>
        <translation>&amp;Back to Previous Range</translation>
    </message>
    <message>
        <source>拡大する前の範囲に戻ります。
前の範囲</source>
        <translation>Returns to the range before zooming.
Previous range</translation>
    </message>
    <message>
        <source>掃引全体を表示</source>
        <translation>&amp;Whole Sweep</translation>
    </message>
    <message>
        <source>ﾃﾞｰﾀの範囲全体を表示します。
掃引全体の表示</source>
        <translation>Shows the whole range of the data.
Whole sweep</translation>
    </message>
    <message>
        <source>拡大</source>
        <translation>Zoom &amp;In</translation>
    </message>
    <message>
        <source>縮小</source>
        <translation>Zoom &amp;Out</translation>
    </message>
    <message>
        <source>使い方...</source>
        <translation>&amp;How to Use...</translation>
    </message>
    <message>
        <source>ﾌﾟﾘﾝﾀの設定...</source>
        <translation>P&amp;rinter Setup...</translation>
    </message>
    <message>
        <source>ﾌﾟﾘﾝﾀ/印刷設定の変更
ﾌﾟﾘﾝﾀの設定</source>
        <translation>Changes the printer and print settings
Printer setup</translation>
    </message>
    <message>
        <source>ｸﾞﾗﾌの印刷...</source>
        <translation>&amp;Print Graph...</translation>
    </message>
    <message>
        <source>表示しているｸﾞﾗﾌを印刷します。
ｸﾞﾗﾌの印刷</source>
        <translation>Prints the graph shown.
Print graph</translation>
    </message>
    <message>
        <source>ｱﾌﾟﾘｹｰｼｮﾝの終了</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>ﾊﾞｰｼﾞｮﾝ情報...</source>
        <translation>&amp;About FERNPLOT...</translation>
    </message>
    <message>
        <source>ﾂｰﾙ ﾊﾞｰ</source>
        <translation>&amp;Toolbar</translation>
    </message>
    <message>
        <source>ｽﾃｰﾀｽ ﾊﾞｰ</source>
        <translation>&amp;Status Bar</translation>
    </message>
    <message>
        <source>自動 (ﾛｹｰﾙ) / Automatic</source>
        <translation>Automatic (locale)</translation>
    </message>
    <message>
        <source>次回の起動から使う言語を選びます。
言語</source>
        <translation>Chooses the language used from the next start.
Language</translation>
    </message>
    <message>
        <source>ﾄﾚｰｽの重ね描き...</source>
        <translation>&amp;Overlay Traces...</translation>
    </message>
    <message>
        <source>ﾃﾞｰﾀﾌｧｲﾙを選んで表示ﾍﾟｰｼﾞに重ねて描きます。
ﾄﾚｰｽの重ね描き</source>
        <translation>Lays chosen data files over the page shown.
Overlay traces</translation>
    </message>
    <message>
        <source>ﾄﾚｰｽの一覧...</source>
        <translation>&amp;Traces...</translation>
    </message>
    <message>
        <source>表示ﾍﾟｰｼﾞのﾄﾚｰｽを一覧し、削除や基準の設定をします。
ﾄﾚｰｽの一覧</source>
        <translation>Lists the traces of the page shown to remove them or choose the reference.
Traces</translation>
    </message>
    <message>
        <source>基準との差を表示</source>
        <translation>Show &amp;Difference from Reference</translation>
    </message>
    <message>
        <source>基準ﾄﾚｰｽとの差(ΔGAIN/ΔPHASE)を表示／非表示します。
基準との差の表示</source>
        <translation>Shows or hides the difference from the reference trace (ΔGAIN/ΔPHASE).
Show difference</translation>
    </message>
    <message>
        <source>ﾚﾎﾟｰﾄの保存...</source>
        <translation>Save &amp;Report...</translation>
    </message>
    <message>
        <source>開いているすべてのｸﾞﾗﾌを図表の一覧とともにPDFﾌｧｲﾙに保存します。
ﾚﾎﾟｰﾄの保存</source>
        <translation>Saves every open graph with a table of their figures as one PDF file.
Save report</translation>
    </message>
    <message>
        <source>ﾎﾞｰﾄﾞ線図</source>
        <translation>&amp;Bode Plot</translation>
    </message>
    <message>
        <source>表示ﾍﾟｰｼﾞをｹﾞｲﾝと位相の周波数特性で表示します。
ﾎﾞｰﾄﾞ線図</source>
        <translation>Shows the page as gain and phase over frequency.
Bode plot</translation>
    </message>
    <message>
        <source>ﾅｲｷｽﾄ線図</source>
        <translation>N&amp;yquist Plot</translation>
    </message>
    <message>
        <source>表示ﾍﾟｰｼﾞを複素平面 (実部､虚部) に表示します。
ﾅｲｷｽﾄ線図</source>
        <translation>Shows the page in the complex plane (real and imaginary parts).
Nyquist plot</translation>
    </message>
    <message>
        <source>ﾆｺﾙｽ線図</source>
        <translation>Ni&amp;chols Chart</translation>
    </message>
    <message>
        <source>表示ﾍﾟｰｼﾞを位相対ｹﾞｲﾝで表示します。
ﾆｺﾙｽ線図</source>
        <translation>Shows the page as gain over phase.
Nichols chart</translation>
    </message>
    <message>
        <source>ﾙｰﾌﾟ ｹﾞｲﾝ L (測定値)</source>
        <translation>&amp;Loop Gain L (as Measured)</translation>
    </message>
    <message>
        <source>測定したﾙｰﾌﾟ ｹﾞｲﾝ L を表示します。
ﾙｰﾌﾟ ｹﾞｲﾝ L</source>
        <translation>Shows the loop gain L as measured.
Loop gain L</translation>
    </message>
    <message>
        <source>閉ﾙｰﾌﾟ T = L/(1+L)</source>
        <translation>Closed Loop &amp;T = L/(1+L)</translation>
    </message>
    <message>
        <source>閉ﾙｰﾌﾟ特性 T = L/(1+L) を表示します。
閉ﾙｰﾌﾟ T</source>
        <translation>Shows the closed loop T = L/(1+L).
Closed loop T</translation>
    </message>
    <message>
        <source>感度 S = 1/(1+L)</source>
        <translation>&amp;Sensitivity S = 1/(1+L)</translation>
    </message>
    <message>
        <source>感度関数 S = 1/(1+L) を表示します。
感度 S</source>
        <translation>Shows the sensitivity S = 1/(1+L).
Sensitivity S</translation>
    </message>
    <message>
        <source>M 等高線</source>
        <translation>&amp;M Contours</translation>
    </message>
    <message>
        <source>ﾆｺﾙｽ線図に閉ﾙｰﾌﾟ ｹﾞｲﾝの等高線を表示／非表示します。
M 等高線</source>
        <translation>Shows or hides the closed-loop gain contours of the Nichols chart.
M contours</translation>
    </message>
    <message>
        <source>複素平面</source>
        <translation>&amp;Complex Plane</translation>
    </message>
    <message>
        <source>表示ﾍﾟｰｼﾞを複素平面 (-Im Z 対 Re Z､等倍) に表示します。
複素平面</source>
        <translation>Shows the page in the complex plane (-Im Z over Re Z, equal scales).
Complex Plane</translation>
    </message>
    <message>
        <source>Kramers–Kronig 残差</source>
        <translation>&amp;Kramers–Kronig Residuals</translation>
    </message>
    <message>
        <source>表示ﾍﾟｰｼﾞの Kramers–Kronig 検定の残差 (%) を周波数に対して表示します。
Kramers–Kronig 残差</source>
        <translation>Shows the residuals (%) of the page&apos;s Kramers–Kronig test over frequency.
Kramers–Kronig residuals</translation>
    </message>
    <message>
        <source>等価回路のﾌｨｯﾄ...</source>
        <translation>Fit &amp;Equivalent Circuit...</translation>
    </message>
    <message>
        <source>表示ﾍﾟｰｼﾞのｲﾝﾋﾟｰﾀﾞﾝｽに等価回路をﾌｨｯﾄし、破線で重ねて描きます。
等価回路のﾌｨｯﾄ</source>
        <translation>Fits an equivalent circuit to the page&apos;s impedance and draws it dashed over the page.
Fit equivalent circuit</translation>
    </message>
</context>
<context>
    <name>Figures</name>
    <message>
        <source>なし</source>
        <translation>none</translation>
    </message>
    <message>
        <source>点数</source>
        <translation>Points</translation>
    </message>
    <message>
        <source>低域ｹﾞｲﾝ</source>
        <translation>Low-frequency gain</translation>
    </message>
    <message>
        <source>ﾋﾟｰｸ</source>
        <translation>Peak</translation>
    </message>
    <message>
        <source> (下降)</source>
        <translation> (falling)</translation>
    </message>
    <message>
        <source> (上昇)</source>
        <translation> (rising)</translation>
    </message>
    <message>
        <source>共振</source>
        <translation>Resonance</translation>
    </message>
    <message>
        <source>(粗いｽｲｰﾌﾟ: ﾌｨｯﾄ値)</source>
        <translation>(coarse sweep: fitted values)</translation>
    </message>
    <message>
        <source>共振 (補間)</source>
        <translation>Resonance (interpolated)</translation>
    </message>
    <message>
        <source>位相余裕の基準</source>
        <translation>Phase margin reference</translation>
    </message>
    <message>
        <source>ｹﾞｲﾝ交差</source>
        <translation>Gain crossover</translation>
    </message>
    <message>
        <source>  位相 </source>
        <translation>  phase </translation>
    </message>
    <message>
        <source>位相交差</source>
        <translation>Phase crossover</translation>
    </message>
    <message>
        <source>  ｹﾞｲﾝ </source>
        <translation>  gain </translation>
    </message>
    <message>
        <source>位相余裕</source>
        <translation>Phase margin</translation>
    </message>
    <message>
        <source>ｹﾞｲﾝ余裕</source>
        <translation>Gain margin</translation>
    </message>
    <message>
        <source>交差 %1 個、初めの %2 個に印</source>
        <translation>%1 crossings; first %2 marked</translation>
    </message>
    <message>
        <source>ﾓｼﾞｭﾗｽ余裕</source>
        <translation>Modulus margin</translation>
    </message>
    <message>
        <source>交差の遅延余裕</source>
        <translation>Delay margin at crossover</translation>
    </message>
    <message>
        <source>遅延余裕</source>
        <translation>Delay margin</translation>
    </message>
    <message>
        <source>閉ﾙｰﾌﾟ低域ｹﾞｲﾝ</source>
        <translation>Closed-loop low-frequency gain</translation>
    </message>
    <message>
        <source>閉ﾙｰﾌﾟﾋﾟｰｸ</source>
        <translation>Closed-loop peak</translation>
    </message>
    <message>
        <source>閉ﾙｰﾌﾟ -3dB</source>
        <translation>Closed-loop -3dB</translation>
    </message>
    <message>
        <source>ﾏｽｸ</source>
        <translation>Mask</translation>
    </message>
    <message>
        <source>測定範囲外</source>
        <translation>not measured</translation>
    </message>
    <message>
        <source>図表なし</source>
        <translation>figure missing</translation>
    </message>
    <message>
        <source>統計</source>
        <translation>Statistics</translation>
    </message>
    <message>
        <source>ﾍﾟｰｼﾞ</source>
        <translation>pages</translation>
    </message>
    <message>
        <source>平均</source>
        <translation>mean</translation>
    </message>
    <message>
        <source>最小</source>
        <translation>min</translation>
    </message>
    <message>
        <source>最大</source>
        <translation>max</translation>
    </message>
    <message>
        <source>感度 S = 1/(1+L)</source>
        <translation>Sensitivity S = 1/(1+L)</translation>
    </message>
    <message>
        <source>閉ﾙｰﾌﾟ T = L/(1+L)</source>
        <translation>Closed loop T = L/(1+L)</translation>
    </message>
    <message>
        <source>直列抵抗</source>
        <translation>Series R</translation>
    </message>
    <message>
        <source>等価回路</source>
        <translation>Equivalent circuit</translation>
    </message>
    <message>
        <source>固定</source>
        <translation>fixed</translation>
    </message>
    <message>
        <source>不定</source>
        <translation>not determined</translation>
    </message>
    <message>
        <source>相対 RMS 誤差</source>
        <translation>Relative RMS error</translation>
    </message>
</context>
<context>
    <name>FileList</name>
    <message>
        <source>不明</source>
        <translation>Unknown</translation>
    </message>
    <message>
        <source>生ﾃﾞｰﾀ</source>
        <translation>Raw data</translation>
    </message>
    <message>
        <source>演算ﾃﾞｰﾀ</source>
        <translation>Calculated data</translation>
    </message>
</context>
<context>
    <name>InfoBlock</name>
    <message>
        <source>方形波</source>
        <translation>square</translation>
    </message>
    <message>
        <source>三角波</source>
        <translation>triangle</translation>
    </message>
    <message>
        <source>正弦波</source>
        <translation>sine</translation>
    </message>
    <message>
        <source>0～360deg</source>
        <translation>0 to 360deg</translation>
    </message>
    <message>
        <source>-360～0deg</source>
        <translation>-360 to 0deg</translation>
    </message>
    <message>
        <source>回  </source>
        <translation> cycles  </translation>
    </message>
    <message>
        <source>データ生成日時： %d.%02d.%02d %d:%02d</source>
        <translation>Created: %d.%02d.%02d %d:%02d</translation>
    </message>
    <message>
        <source>データ タイトル： %s</source>
        <translation>Data title: %s</translation>
    </message>
    <message>
        <source>形式： %s  </source>
        <translation>Format: %s  </translation>
    </message>
    <message>
        <source>トレース： %s  </source>
        <translation>Trace: %s  </translation>
    </message>
    <message>
        <source>点数： %zu</source>
        <translation>Points: %zu</translation>
    </message>
    <message>
        <source>点数： %zu  </source>
        <translation>Points: %zu  </translation>
    </message>
    <message>
        <source>単位： %s</source>
        <translation>Units: %s</translation>
    </message>
    <message>
        <source>品名： %s  ﾊﾞｰｼﾞｮﾝ： %s</source>
        <translation>Model: %s  Version: %s</translation>
    </message>
    <message>
        <source>OSC.振幅値＝%sVpeak  </source>
        <translation>OSC amplitude = %sVpeak  </translation>
    </message>
    <message>
        <source>OSC.DCﾊﾞｲｱｽ＝%sV  </source>
        <translation>OSC DC bias = %sV  </translation>
    </message>
    <message>
        <source>OSC.波形＝%s  </source>
        <translation>OSC waveform = %s  </translation>
    </message>
    <message>
        <source>ｽｲｰﾌﾟ最小周波数＝%sHz  </source>
        <translation>Sweep min. frequency = %sHz  </translation>
    </message>
    <message>
        <source>ｽｲｰﾌﾟ最大周波数＝%sHz  </source>
        <translation>Sweep max. frequency = %sHz  </translation>
    </message>
    <message>
        <source>ｽｲｰﾌﾟ分解能＝</source>
        <translation>Sweep resolution = </translation>
    </message>
    <message>
        <source>積分回数＝</source>
        <translation>Integration = </translation>
    </message>
    <message>
        <source>遅延時間＝</source>
        <translation>Delay = </translation>
    </message>
    <message>
        <source>高調波分析次数＝%d  </source>
        <translation>Harmonic order = %d  </translation>
    </message>
    <message>
        <source>測定ﾓｰﾄﾞ＝%s  </source>
        <translation>Measurement mode = %s  </translation>
    </message>
    <message>
        <source>自動積分機能＝%s  </source>
        <translation>Auto integration = %s  </translation>
    </message>
    <message>
        <source>振幅圧縮機能＝%s  </source>
        <translation>Amplitude compression = %s  </translation>
    </message>
    <message>
        <source>高密度掃引機能＝%s  </source>
        <translation>High-density sweep = %s  </translation>
    </message>
    <message>
        <source>位相表示レンジ＝%s</source>
        <translation>Phase display range = %s</translation>
    </message>
</context>
<context>
    <name>Page</name>
    <message>
        <source>データがありません</source>
        <translation>No data</translation>
    </message>
    <message>
        <source>周波数特性</source>
        <translation>Frequency Response</translation>
    </message>
</context>
<context>
    <name>PropertySheet</name>
    <message>
        <source>ファイル名</source>
        <translation>File name</translation>
    </message>
    <message>
        <source>データ･タイトル</source>
        <translation>Data title</translation>
    </message>
    <message>
        <source>データ生成日時</source>
        <translation>Creation date</translation>
    </message>
    <message>
        <source>グラフのタイトル</source>
        <translation>Graph title</translation>
    </message>
    <message>
        <source>周波数の軸名</source>
        <translation>Frequency axis caption</translation>
    </message>
    <message>
        <source>周波数の目盛</source>
        <translation>Frequency scale</translation>
    </message>
    <message>
        <source>ゲインの軸名</source>
        <translation>Gain axis caption</translation>
    </message>
    <message>
        <source>ゲインの目盛</source>
        <translation>Gain scale</translation>
    </message>
    <message>
        <source>位相の軸名</source>
        <translation>Phase axis caption</translation>
    </message>
    <message>
        <source>位相の目盛</source>
        <translation>Phase scale</translation>
    </message>
    <message>
        <source>上記以外の文字</source>
        <translation>Other text</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ名</source>
        <translation>File name</translation>
    </message>
    <message>
        <source>ﾃﾞｰﾀのﾀｲﾄﾙ</source>
        <translation>Data title</translation>
    </message>
    <message>
        <source>ﾃﾞｰﾀの生成日時</source>
        <translation>Creation date</translation>
    </message>
    <message>
        <source>品名とﾊﾞｰｼﾞｮﾝ</source>
        <translation>Model and version</translation>
    </message>
    <message>
        <source>OSCの振幅値</source>
        <translation>OSC amplitude</translation>
    </message>
    <message>
        <source>OSCのDCﾊﾞｲｱｽ値</source>
        <translation>OSC DC bias</translation>
    </message>
    <message>
        <source>OSCの波形</source>
        <translation>OSC waveform</translation>
    </message>
    <message>
        <source>ｽｲｰﾌﾟ最大周波数</source>
        <translation>Sweep max. frequency</translation>
    </message>
    <message>
        <source>ｽｲｰﾌﾟ最小周波数</source>
        <translation>Sweep min. frequency</translation>
    </message>
    <message>
        <source>ｽｲｰﾌﾟ分解能</source>
        <translation>Sweep resolution</translation>
    </message>
    <message>
        <source>積分回数</source>
        <translation>Integration</translation>
    </message>
    <message>
        <source>遅延時間</source>
        <translation>Delay</translation>
    </message>
    <message>
        <source>高調波分析次数</source>
        <translation>Harmonic order</translation>
    </message>
    <message>
        <source>測定ﾓｰﾄﾞ</source>
        <translation>Measurement mode</translation>
    </message>
    <message>
        <source>自動積分機能のON/OFF</source>
        <translation>Auto integration ON/OFF</translation>
    </message>
    <message>
        <source>振幅圧縮機能のON/OFF</source>
        <translation>Amplitude compression ON/OFF</translation>
    </message>
    <message>
        <source>高密度掃引機能のON/OFF</source>
        <translation>High-density sweep ON/OFF</translation>
    </message>
    <message>
        <source>選択できるﾚﾝｼﾞはありません。位相の範囲は上限･下限で指定します。</source>
        <translation>There are no ranges to choose; set the phase range with the upper and lower limits.</translation>
    </message>
    <message>
        <source>位相表示レンジ</source>
        <translation>Phase display range</translation>
    </message>
    <message>
        <source>左のﾏｰｼﾞﾝ：</source>
        <translation>Left margin:</translation>
    </message>
    <message>
        <source>右のﾏｰｼﾞﾝ：</source>
        <translation>Right margin:</translation>
    </message>
    <message>
        <source>範囲：</source>
        <translation>Range:</translation>
    </message>
    <message>
        <source>ﾃﾞｰﾀの最小値</source>
        <translation>Data minimum</translation>
    </message>
    <message>
        <source>ﾃﾞｰﾀの最大値</source>
        <translation>Data maximum</translation>
    </message>
    <message>
        <source>軸の長さには

40 以上の数値を入力してください。</source>
        <translation>For the axis length

enter a number of 40 or more.</translation>
    </message>
    <message>
        <source>軸の左ﾏｰｼﾞﾝには

0 以上の数値を入力してください。</source>
        <translation>For the left margin of the axis

enter a number of 0 or more.</translation>
    </message>
    <message>
        <source>軸の右ﾏｰｼﾞﾝには

0 以上の数値を入力してください。</source>
        <translation>For the right margin of the axis

enter a number of 0 or more.</translation>
    </message>
    <message>
        <source>軸の長さが不正です。

有効な値は 40mm ～ 250mm です。</source>
        <translation>The axis length is not valid.

Valid values are 40mm to 250mm.</translation>
    </message>
    <message>
        <source>ﾏｰｼﾞﾝの値が不正です。

ｸﾞﾗﾌ領域の幅が 40mm 以上になるよう調整してください。</source>
        <translation>The margins are not valid.

Adjust them so that the graph area is at least 40mm wide.</translation>
    </message>
    <message>
        <source>目盛の上限値が不正な値です。

数値を入力してください。
例：0.1、100、100k、1M</source>
        <translation>The upper limit of the scale is not valid.

Enter a number.
Examples: 0.1, 100, 100k, 1M</translation>
    </message>
    <message>
        <source>目盛の下限値が不正な値です。

数値を入力してください。
例：0.1、100、100k、1M</source>
        <translation>The lower limit of the scale is not valid.

Enter a number.
Examples: 0.1, 100, 100k, 1M</translation>
    </message>
    <message>
        <source>目盛の間隔が不正な値です。

0 より大きい値にしてください。</source>
        <translation>The scale interval is not valid.

Make it greater than 0.</translation>
    </message>
    <message>
        <source>目盛の範囲指定が不正です。

下限値 ＜ 上限値 になるよう調整してください。</source>
        <translation>The scale range is not valid.

Adjust it so that lower limit &lt; upper limit.</translation>
    </message>
    <message>
        <source>目盛の間隔が不正な値です。

間隔値 ≦ (上限値 - 下限値)÷ 2 になるよう調整してください。</source>
        <translation>The scale interval is not valid.

Adjust it so that interval &lt;= (upper limit - lower limit) / 2.</translation>
    </message>
    <message>
        <source>軸の長さには

30 以上の数値を入力してください。</source>
        <translation>For the axis length

enter a number of 30 or more.</translation>
    </message>
    <message>
        <source>軸の上端ﾏｰｼﾞﾝには

0 以上の数値を入力してください。</source>
        <translation>For the top margin of the axis

enter a number of 0 or more.</translation>
    </message>
    <message>
        <source>軸の下端ﾏｰｼﾞﾝには

0 以上の数値を入力してください。</source>
        <translation>For the bottom margin of the axis

enter a number of 0 or more.</translation>
    </message>
    <message>
        <source>軸の長さが不正です。

有効な値は 30mm ～ 250mm です。</source>
        <translation>The axis length is not valid.

Valid values are 30mm to 250mm.</translation>
    </message>
    <message>
        <source>ﾏｰｼﾞﾝの値が不正です。

ｸﾞﾗﾌ領域の高さが 30mm 以上になるよう調整してください。</source>
        <translation>The margins are not valid.

Adjust them so that the graph area is at least 30mm high.</translation>
    </message>
    <message>
        <source>目盛の上限値が不正な値です。

数値を入力してください。
例：0.1、100、-10.5</source>
        <translation>The upper limit of the scale is not valid.

Enter a number.
Examples: 0.1, 100, -10.5</translation>
    </message>
    <message>
        <source>目盛の下限値が不正な値です。

数値を入力してください。
例：0.1、100、-10.5</source>
        <translation>The lower limit of the scale is not valid.

Enter a number.
Examples: 0.1, 100, -10.5</translation>
    </message>
    <message>
        <source>上のﾏｰｼﾞﾝ：</source>
        <translation>Top margin:</translation>
    </message>
    <message>
        <source>下のﾏｰｼﾞﾝ：</source>
        <translation>Bottom margin:</translation>
    </message>
    <message>
        <source>下限値：</source>
        <translation>Lower limit:</translation>
    </message>
    <message>
        <source>上限値：</source>
        <translation>Upper limit:</translation>
    </message>
    <message>
        <source>データの最小値を使用</source>
        <translation>Use the data minimum</translation>
    </message>
    <message>
        <source>データの最大値を使用</source>
        <translation>Use the data maximum</translation>
    </message>
    <message>
        <source>ｷｬﾌﾟｼｮﾝ：</source>
        <translation>Caption:</translation>
    </message>
    <message>
        <source>目盛線を表示</source>
        <translation>Show grid lines</translation>
    </message>
    <message>
        <source>ｽｹｰﾙ ﾀｲﾌﾟ</source>
        <translation>Scale type</translation>
    </message>
    <message>
        <source>軸ｵﾌﾟｼｮﾝ</source>
        <translation>Axis options</translation>
    </message>
    <message>
        <source>軸の長さ：</source>
        <translation>Axis length:</translation>
    </message>
    <message>
        <source>目盛ｵﾌﾟｼｮﾝ</source>
        <translation>Scale options</translation>
    </message>
    <message>
        <source>自動配分</source>
        <translation>Automatic</translation>
    </message>
    <message>
        <source> ～</source>
        <translation> to</translation>
    </message>
    <message>
        <source>間隔：</source>
        <translation>Interval:</translation>
    </message>
    <message>
        <source>ﾉｰﾏﾙ</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>ﾀｲﾄ</source>
        <translation>Tight</translation>
    </message>
    <message>
        <source>ｶﾃｺﾞﾘ：</source>
        <translation>Category:</translation>
    </message>
    <message>
        <source>ﾌｫﾝﾄ：</source>
        <translation>Font:</translation>
    </message>
    <message>
        <source>ｻｲｽﾞ：</source>
        <translation>Size:</translation>
    </message>
    <message>
        <source>太字</source>
        <translation>Bold</translation>
    </message>
    <message>
        <source>ｶﾗｰ...</source>
        <translation>Colour...</translation>
    </message>
    <message>
        <source>ｻﾝﾌﾟﾙ：</source>
        <translation>Sample:</translation>
    </message>
    <message>
        <source>ｸﾞﾗﾌのﾀｲﾄﾙ：</source>
        <translation>Graph title:</translation>
    </message>
    <message>
        <source>生ﾃﾞｰﾀの演算のﾀｲﾌﾟ</source>
        <translation>Ratio computed from raw data</translation>
    </message>
    <message>
        <source>ｸﾞﾗﾌの背景色</source>
        <translation>Graph background colour</translation>
    </message>
    <message>
        <source>表示色：</source>
        <translation>Colour:</translation>
    </message>
    <message>
        <source>印刷時太線</source>
        <translation>Bold line when printed</translation>
    </message>
    <message>
        <source>ゲインの線</source>
        <translation>Gain line</translation>
    </message>
    <message>
        <source>位相の線</source>
        <translation>Phase line</translation>
    </message>
    <message>
        <source>ﾃﾞｰﾀのﾀｲﾄﾙ：</source>
        <translation>Data title:</translation>
    </message>
    <message>
        <source>ｸﾞﾗﾌのﾌﾟﾛﾊﾟﾃｨ</source>
        <translation>Graph Properties</translation>
    </message>
    <message>
        <source>ｸﾞﾗﾌのﾌﾟﾛﾊﾟﾃｨ - 標準値</source>
        <translation>Graph Properties - Defaults</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>全般</source>
        <translation>General</translation>
    </message>
    <message>
        <source>横軸(周波数)</source>
        <translation>Frequency</translation>
    </message>
    <message>
        <source>縦軸(ｹﾞｲﾝ)</source>
        <translation>Gain</translation>
    </message>
    <message>
        <source>縦軸(位相)</source>
        <translation>Phase</translation>
    </message>
    <message>
        <source>表示項目</source>
        <translation>Items</translation>
    </message>
    <message>
        <source>ﾌｫﾝﾄ</source>
        <translation>Fonts</translation>
    </message>
    <message>
        <source>付記</source>
        <translation>Notes</translation>
    </message>
    <message>
        <source>右軸の表示</source>
        <translation>Right axis shows</translation>
    </message>
    <message>
        <source>位相</source>
        <translation>Phase</translation>
    </message>
    <message>
        <source>連続位相</source>
        <translation>Unwrapped phase</translation>
    </message>
    <message>
        <source>群遅延</source>
        <translation>Group delay</translation>
    </message>
    <message>
        <source>位相余裕の基準</source>
        <translation>Phase margin reference</translation>
    </message>
    <message>
        <source>ﾌｫﾝﾄのｻｲｽﾞが不正です。

一覧のｻｲｽﾞ (6～16) から選んでください。</source>
        <translation>The font size is not valid.

Choose one of the listed sizes (6 to 16).</translation>
    </message>
    <message>
        <source>平滑化：</source>
        <translation>Smoothing:</translation>
    </message>
    <message>
        <source>点</source>
        <translation>points</translation>
    </message>
    <message>
        <source>ｵｸﾀｰﾌﾞ</source>
        <translation>octave</translation>
    </message>
    <message>
        <source>群遅延を求める幅: 隣り合う点 (1 点) から広げるほど雑音が平らになります</source>
        <translation>The step the group delay is taken over: the wider than neighbouring points (1 point), the flatter the noise</translation>
    </message>
    <message>
        <source>群遅延の平滑化の幅が不正です。

点では 1～1000 の整数、ｵｸﾀｰﾌﾞでは 0 より大きく 10 以下の値にしてください。</source>
        <translation>The group delay smoothing is not valid.

Use a whole number from 1 to 1000 for points, or a value above 0 and up to 10 for octaves.</translation>
    </message>
    <message>
        <source>ﾙｰﾌﾟ</source>
        <translation>Loop</translation>
    </message>
    <message>
        <source>ﾎﾞｰﾄﾞ線図</source>
        <translation>Bode plot</translation>
    </message>
    <message>
        <source>ﾅｲｷｽﾄ線図</source>
        <translation>Nyquist plot</translation>
    </message>
    <message>
        <source>ﾆｺﾙｽ線図</source>
        <translation>Nichols chart</translation>
    </message>
    <message>
        <source>ﾙｰﾌﾟ ｹﾞｲﾝ L</source>
        <translation>Loop gain L</translation>
    </message>
    <message>
        <source>閉ﾙｰﾌﾟ T</source>
        <translation>Closed loop T</translation>
    </message>
    <message>
        <source>感度 S</source>
        <translation>Sensitivity S</translation>
    </message>
    <message>
        <source>自動</source>
        <translation>Automatic</translation>
    </message>
    <message>
        <source>はい</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>いいえ</source>
        <translation>No</translation>
    </message>
    <message>
        <source>全点</source>
        <translation>All points</translation>
    </message>
    <message>
        <source>表示：</source>
        <translation>View:</translation>
    </message>
    <message>
        <source>ｶｰﾌﾞ：</source>
        <translation>Curve:</translation>
    </message>
    <message>
        <source>ﾅｲｷｽﾄ半径：</source>
        <translation>Nyquist radius:</translation>
    </message>
    <message>
        <source>ﾙｰﾌﾟ測定：</source>
        <translation>Loop measurement:</translation>
    </message>
    <message>
        <source>ﾆｺﾙｽ線図の M 等高線</source>
        <translation>M contours in the Nichols chart</translation>
    </message>
    <message>
        <source>複素平面</source>
        <translation>Complex plane</translation>
    </message>
    <message>
        <source>ｼｬﾝﾄ抵抗：</source>
        <translation>Shunt:</translation>
    </message>
    <message>
        <source>CH2 をこの抵抗 (Ω) の両端で測ると、ｲﾝﾋﾟｰﾀﾞﾝｽ Z = R・H を表示します。空欄: なし</source>
        <translation>With CH2 measured across this resistor (Ω) the page shows the impedance Z = R·H. Empty: none</translation>
    </message>
    <message>
        <source>ｼｬﾝﾄ抵抗が不正です。

0 より大きい値 (Ω) にするか、空欄にしてください。</source>
        <translation>The shunt is not valid.

Enter a value above 0 (Ω), or leave the box empty.</translation>
    </message>
    <message>
        <source>Kramers–Kronig 残差</source>
        <translation>Kramers–Kronig residuals</translation>
    </message>
</context>
<context>
    <name>QtFrameDialogs</name>
    <message>
        <source>ﾃﾞｰﾀ ﾌｧｲﾙを開く</source>
        <translation>Open Data File</translation>
    </message>
    <message>
        <source>ﾃﾞｰﾀ ﾌｧｲﾙ (*.DAT *.dat)</source>
        <translation>Data files (*.DAT *.dat)</translation>
    </message>
    <message>
        <source>フォルダ[%1]が見つかりません</source>
        <translation>Folder [%1] not found</translation>
    </message>
    <message>
        <source>ﾍﾟｰｼﾞへ移動</source>
        <translation>Go to page</translation>
    </message>
    <message>
        <source>ﾍﾟｰｼﾞ番号 (1～%1)：</source>
        <translation>Page number (1 to %1):</translation>
    </message>
    <message>
        <source>CSVﾌｧｲﾙへの保存 - 演算ﾃﾞｰﾀ</source>
        <translation>Save as CSV File - Calculated Data</translation>
    </message>
    <message>
        <source>CSVﾌｧｲﾙ (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>測定ﾃﾞｰﾀﾌｧｲﾙの一覧 - 重ね描き</source>
        <translation>Measurement Data Files - Overlay</translation>
    </message>
    <message>
        <source>重ね描き</source>
        <translation>&amp;Overlay</translation>
    </message>
    <message>
        <source>すべてのｽｲｰﾌﾟ ﾌｧｲﾙ (*.DAT *.s?p *.s??p *.txt *.csv *.tsv *.z *.DTA *.mpt)</source>
        <translation>All sweep files (*.DAT *.s?p *.s??p *.txt *.csv *.tsv *.z *.DTA *.mpt)</translation>
    </message>
    <message>
        <source>ﾃﾞｰﾀ ﾌｧｲﾙ (*.DAT)</source>
        <translation>Data files (*.DAT)</translation>
    </message>
    <message>
        <source>Touchstone (*.s?p *.s??p)</source>
        <translation>Touchstone (*.s?p *.s??p)</translation>
    </message>
    <message>
        <source>ﾃｷｽﾄ (*.txt *.csv *.tsv)</source>
        <translation>Text (*.txt *.csv *.tsv)</translation>
    </message>
    <message>
        <source>Touchstone (*.s2p)</source>
        <translation>Touchstone (*.s2p)</translation>
    </message>
    <message>
        <source>SPICE ﾃｰﾌﾞﾙ (*.cir)</source>
        <translation>SPICE table (*.cir)</translation>
    </message>
    <message>
        <source>2ﾎﾟｰﾄのSﾊﾟﾗﾒｰﾀ(&amp;P):</source>
        <translation>Two-port S-&amp;parameter:</translation>
    </message>
    <message>
        <source>2ﾎﾟｰﾄの Touchstone ﾌｧｲﾙから読むﾊﾟﾗﾒｰﾀ。1ﾎﾟｰﾄのﾌｧｲﾙは常に S11。</source>
        <translation>The parameter read from two-port Touchstone files. One-port files always give S11.</translation>
    </message>
    <message>
        <source>%1 は2ﾎﾟｰﾄのﾌｧｲﾙです。重ね描きするSﾊﾟﾗﾒｰﾀ:</source>
        <translation>%1 is a two-port file. S-parameter to overlay:</translation>
    </message>
    <message>
        <source>Sﾊﾟﾗﾒｰﾀの選択</source>
        <translation>Choose S-Parameter</translation>
    </message>
    <message>
        <source>ﾚﾎﾟｰﾄの保存</source>
        <translation>Save Report</translation>
    </message>
    <message>
        <source>PDFﾌｧｲﾙ (*.pdf)</source>
        <translation>PDF files (*.pdf)</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙから重ね描き</source>
        <translation>Overlay from File</translation>
    </message>
    <message>
        <source>ﾏｽｸを開く</source>
        <translation>Open Mask</translation>
    </message>
    <message>
        <source>ﾏｽｸ ﾌｧｲﾙ (*.mask *.txt)</source>
        <translation>Mask files (*.mask *.txt)</translation>
    </message>
    <message>
        <source>すべてのﾌｧｲﾙ (*)</source>
        <translation>All files (*)</translation>
    </message>
    <message>
        <source>ｲﾝﾋﾟｰﾀﾞﾝｽ (*.z *.DTA *.mpt *.txt *.csv)</source>
        <translation>Impedance (*.z *.DTA *.mpt *.txt *.csv)</translation>
    </message>
    <message>
        <source>見出しのとおり</source>
        <translation>As the header names them</translation>
    </message>
    <message>
        <source>f, ｹﾞｲﾝ [dB], 位相 [deg]</source>
        <translation>f, gain [dB], phase [deg]</translation>
    </message>
    <message>
        <source>区切りのある表の最初の 3 列の読み方。見出しの行は読み飛ばします。見出しのとおり: 見出しが名前を付けた列 (なければ周波数､ｹﾞｲﾝ､位相)</source>
        <translation>How the first three columns of a delimited table are read; a header row is skipped. As the header names them: the columns the header names (without one: frequency, gain, phase)</translation>
    </message>
    <message>
        <source>表の列(&amp;T):</source>
        <translation>&amp;Table columns:</translation>
    </message>
</context>
<context>
    <name>Difference</name>
    <message>
        <source>基準のﾃﾞｰﾀに使える点がありません</source>
        <translation>the reference has no usable point</translation>
    </message>
    <message>
        <source>基準のﾃﾞｰﾀの周波数範囲にｸﾞﾗﾌの点がありません</source>
        <translation>no point of the page lies in the reference&apos;s frequency range</translation>
    </message>
</context>
<context>
    <name>Reader</name>
    <message>
        <source>ファイル[%s]が見つかりません</source>
        <translation>File [%s] not found</translation>
    </message>
    <message>
        <source>ファイルの形式が違います</source>
        <translation>Not a data file of this format</translation>
    </message>
    <message>
        <source>ファイルの読み込みエラー</source>
        <translation>Error reading the file</translation>
    </message>
    <message>
        <source>データ件数がゼロです</source>
        <translation>The file has no data points</translation>
    </message>
    <message>
        <source>データ部の形式が違います</source>
        <translation>The data part of the file is damaged</translation>
    </message>
</context>
<context>
    <name>fernplot::AboutDialog</name>
    <message>
        <source>ﾊﾞｰｼﾞｮﾝ情報 - FERNPLOT</source>
        <translation>About FERNPLOT</translation>
    </message>
    <message>
        <source>Q417ﾌｧｲﾙ 読み出しｿﾌﾄｳｪｱ</source>
        <translation>Q417 File Reader</translation>
    </message>
    <message>
        <source>周波数特性ｸﾞﾗﾌの表示･印刷･CSV出力</source>
        <translation>Shows, prints and exports frequency response graphs as CSV</translation>
    </message>
</context>
<context>
    <name>fernplot::CMainApp</name>
    <message>
        <source>設定ﾌｧｲﾙを読めませんでした。標準値で起動します。
このﾌｧｲﾙは終了時に上書きしません。
%1</source>
        <translation>The settings file could not be read. The program starts with the default values.
This file will not be overwritten at the end.
%1</translation>
    </message>
    <message>
        <source>設定ﾌｧｲﾙを保存できませんでした。
%1
%2</source>
        <translation>The settings file could not be saved.
%1
%2</translation>
    </message>
</context>
<context>
    <name>fernplot::CMainView</name>
    <message>
        <source>Page: %1 of %2</source>
        <translation>Page %1 of %2</translation>
    </message>
</context>
<context>
    <name>fernplot::CMainFrame</name>
    <message>
        <source>使い方

%1 (一覧から選択) または %2 (Ctrl+O) でｸﾞﾗﾌを作成します。ﾌｧｲﾙをｳｨﾝﾄﾞｳにﾄﾞﾛｯﾌﾟしても開けます。
Page Up / Page Down: 前／次のﾍﾟｰｼﾞ、Ctrl+Home / Ctrl+End: 先頭／最終ﾍﾟｰｼﾞ。
Ctrl+ﾏｳｽ ﾎｲｰﾙ、Ctrl++ / Ctrl+- / Ctrl+0: 表示倍率。
右ﾎﾞﾀﾝでﾄﾞﾗｯｸﾞ: その範囲を拡大、Backspace: 前の範囲、Home: 掃引全体。
ﾏｳｽ位置のｶｰﾌﾞの値はﾎﾟｲﾝﾀの横に表示されます (%3)。
Shift+ｸﾘｯｸ: ﾏｰｶｰ、Esc: ﾏｰｶｰを消去。
Ctrl+C: 表示ﾍﾟｰｼﾞをｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰ、Ctrl+P: 印刷、Ctrl+Q: 終了。
%4: 表示ﾍﾟｰｼﾞの設定、%5: 標準値の設定。</source>
        <translation>How to use

%1 (choose from the list) or %2 (Ctrl+O) makes the graphs. Files dropped on the window open too.
Page Up / Page Down: previous / next page, Ctrl+Home / Ctrl+End: first / last page.
Ctrl + mouse wheel, Ctrl++ / Ctrl+- / Ctrl+0: zoom.
Drag with the right button: zoom into that range, Backspace: previous range, Home: whole sweep.
The curve&apos;s values at the pointer are shown beside it (%3).
Shift + click: markers, Esc: clear the markers.
Ctrl+C: copy the page to the clipboard, Ctrl+P: print, Ctrl+Q: quit.
%4: the page&apos;s settings, %5: the default settings.</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>表示(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>表示倍率</source>
        <translation>&amp;Zoom</translation>
    </message>
    <message>
        <source>設定(&amp;S)</source>
        <translation>&amp;Settings</translation>
    </message>
    <message>
        <source>ﾍﾙﾌﾟ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>ﾂｰﾙ ﾊﾞｰ</source>
        <translation>&amp;Toolbar</translation>
    </message>
    <message>
        <source>比較(&amp;C)</source>
        <translation>&amp;Compare</translation>
    </message>
    <message>
        <source>ﾓﾃﾞﾙを再ﾌｨｯﾄできないため削除しました: %1</source>
        <translation>The model could not be fitted again and was removed: %1</translation>
    </message>
</context>
<context>
    <name>fernplot::DataFileListDialog</name>
    <message>
        <source>%1 個のﾌｧｲﾙ</source>
        <translation>%1 files</translation>
    </message>
    <message>
        <source> ﾌｧｲﾙ名</source>
        <translation> File name</translation>
    </message>
    <message>
        <source>ﾃﾞｰﾀ ﾀｲﾌﾟ</source>
        <translation>Data type</translation>
    </message>
    <message>
        <source>件数</source>
        <translation>Points</translation>
    </message>
    <message>
        <source>ﾃﾞｰﾀの生成日時</source>
        <translation>Creation date</translation>
    </message>
    <message>
        <source>コメント</source>
        <translation>Comment</translation>
    </message>
    <message>
        <source>測定ﾃﾞｰﾀﾌｧｲﾙの一覧</source>
        <translation>Measurement Data Files</translation>
    </message>
    <message>
        <source>ｸﾞﾗﾌの作成</source>
        <translation>Make &amp;Graphs</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>検索ﾌｧｲﾙ名：</source>
        <translation>Search for:</translation>
    </message>
    <message>
        <source>検索</source>
        <translation>&amp;Search</translation>
    </message>
    <message>
        <source> 該当するﾌｧｲﾙがありません</source>
        <translation> No matching files</translation>
    </message>
    <message>
        <source>検索ﾊﾟｽの参照</source>
        <translation>Browse for the Search Path</translation>
    </message>
    <message>
        <source>測定ﾃﾞｰﾀﾌｧｲﾙ (*.dat *.DAT)</source>
        <translation>Measurement data files (*.dat *.DAT)</translation>
    </message>
    <message>
        <source>中止</source>
        <translation>&amp;Stop</translation>
    </message>
</context>
<context>
    <name>fernplot::FiguresDock</name>
    <message>
        <source>図表</source>
        <translation>Figures</translation>
    </message>
    <message>
        <source>ｸﾞﾗﾌに表示</source>
        <translation>Mark on graph</translation>
    </message>
    <message>
        <source>図表の位置をｸﾞﾗﾌに印します (印刷･複写にも入ります)</source>
        <translation>Marks the figures on the graph (also printed and copied)</translation>
    </message>
    <message>
        <source>ｺﾋﾟｰ</source>
        <translation>Copy</translation>
    </message>
</context>
<context>
    <name>fernplot::FiguresPart</name>
    <message>
        <source>図表ﾊﾟﾈﾙ</source>
        <translation>&amp;Figures Panel</translation>
    </message>
    <message>
        <source>表示ﾍﾟｰｼﾞの図表 (位相余裕､-3dB 点､共振) を表示します。</source>
        <translation>Shows the figures of the page (phase margin, -3 dB points, resonance).</translation>
    </message>
    <message>
        <source>ﾍﾟｰｼﾞ一覧</source>
        <translation>&amp;Page List</translation>
    </message>
    <message>
        <source>開いているﾍﾟｰｼﾞの一覧 (ﾏｽｸの判定つき) を表示します。</source>
        <translation>Lists the open pages (with their verdicts against the mask).</translation>
    </message>
</context>
<context>
    <name>fernplot::LanguagePart</name>
    <message>
        <source>言語の変更は次回の起動から有効になります。</source>
        <translation>The language changes at the next start of the program.</translation>
    </message>
</context>
<context>
    <name>fernplot::MaskPart</name>
    <message>
        <source>ﾏｽｸを読めません。
%1</source>
        <translation>The mask cannot be read.
%1</translation>
    </message>
</context>
<context>
    <name>fernplot::MarkersPart</name>
    <message>
        <source>ﾏｰｶｰ</source>
        <translation>Markers</translation>
    </message>
    <message>
        <source>ｸﾘｯｸでﾏｰｶｰ A､B を置きます (Shift+ｸﾘｯｸでも)｡矢印ｷｰで移動､Esc で消去。</source>
        <translation>Click to place markers A and B (also Shift+click). Arrow keys move them, Esc removes them.</translation>
    </message>
</context>
<context>
    <name>fernplot::PageActions</name>
    <message>
        <source>周波数特性グラフ</source>
        <translation>Frequency Response Graph</translation>
    </message>
    <message>
        <source>ｸﾞﾗﾌを作成しています...</source>
        <translation>Making graphs...</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>次のﾌｧｲﾙを開けませんでした。

</source>
        <translation>The following files could not be opened.

</translation>
    </message>
    <message>
        <source>
… ほか %1 件</source>
        <translation>
… and %1 more</translation>
    </message>
    <message>
        <source>ﾌｫﾙﾀﾞにﾃﾞｰﾀﾌｧｲﾙ(*.DAT)がありません</source>
        <translation>no data files (*.DAT) in the folder</translation>
    </message>
    <message>
        <source>CSVﾌｧｲﾙを保存できませんでした。
%1
%2</source>
        <translation>The CSV file could not be saved.
%1
%2</translation>
    </message>
    <message>
        <source>このｸﾞﾗﾌの設定情報を標準値に戻します。

よろしいですか？
</source>
        <translation>The settings of this graph will be reset to the defaults.

Continue?
</translation>
    </message>
    <message>
        <source>このｸﾞﾗﾌの設定情報を標準値とします。

現在の標準値は上書きされます。

よろしいですか？
</source>
        <translation>The settings of this graph will become the defaults.

The current defaults will be overwritten.

Continue?
</translation>
    </message>
    <message>
        <source>PDFﾌｧｲﾙを保存できませんでした。
%1
%2</source>
        <translation>The PDF file could not be saved.
%1
%2</translation>
    </message>
    <message>
        <source>印刷ｼﾞｮﾌﾞを開始できませんでした。</source>
        <translation>The print job could not be started.</translation>
    </message>
    <message>
        <source>%1 ﾍﾟｰｼﾞのｸﾞﾗﾌをすべて閉じますか？</source>
        <translation>Close the graphs of all %1 pages?</translation>
    </message>
    <message>
        <source>%1: 基準ﾄﾚｰｽにはｸﾞﾗﾌと重なる周波数のﾃﾞｰﾀがありません。
差分は表示しません。</source>
        <translation>%1: the reference trace has no data at the graph&apos;s frequencies.
The difference is not shown.</translation>
    </message>
    <message>
        <source>ﾚﾎﾟｰﾄを保存できませんでした。
%1
%2</source>
        <translation>The report could not be saved.
%1
%2</translation>
    </message>
    <message>
        <source>このﾍﾟｰｼﾞには等価回路をﾌｨｯﾄできません。
%1</source>
        <translation>The equivalent circuit cannot be fitted to this page.
%1</translation>
    </message>
</context>
<context>
    <name>fernplot::RecentFilesPart</name>
    <message>
        <source>ﾌｧｲﾙ[%1]が見つかりません。
最近使ったﾌｧｲﾙの一覧から外しました。</source>
        <translation>File [%1] not found.
It has been removed from the recent files.</translation>
    </message>
</context>
<context>
    <name>fernplot::TraceReadout</name>
    <message>
        <source> （基準との差）</source>
        <translation> (difference from reference)</translation>
    </message>
</context>
<context>
    <name>fernplot::TracesDialog</name>
    <message>
        <source>ﾄﾚｰｽの一覧</source>
        <translation>Traces</translation>
    </message>
    <message>
        <source>削除(&amp;D)</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>基準にする(&amp;R)</source>
        <translation>Make &amp;Reference</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source> （ﾍﾟｰｼﾞ）</source>
        <translation> (page)</translation>
    </message>
    <message>
        <source> （基準）</source>
        <translation> (reference)</translation>
    </message>
</context>
<context>
    <name>fernplot::ViewPart</name>
    <message>
        <source>他のアプリケーションがクリップボードを開いています。</source>
        <translation>Another application has the clipboard open.</translation>
    </message>
</context>
<context>
    <name>Import</name>
    <message>
        <source>%1 がありません（あるのは %2）</source>
        <translation>has no %1 (it has %2)</translation>
    </message>
    <message>
        <source>%1 列目が数値ではありません: &quot;%2&quot;</source>
        <translation>column %1: not a number: &quot;%2&quot;</translation>
    </message>
    <message>
        <source>%1 列目が複素数の値ではありません: &quot;%2&quot;</source>
        <translation>column %1: not a complex value: &quot;%2&quot;</translation>
    </message>
    <message>
        <source>最初の周波数の数値 %1 個ではポート数がわかりません</source>
        <translation>%1 numbers at the first frequency fit no number of ports</translation>
    </message>
    <message>
        <source>Touchstone のバージョン %1 には対応していません</source>
        <translation>Touchstone version %1 is not supported</translation>
    </message>
    <message>
        <source>[Begin Information] に [End Information] がありません</source>
        <translation>[Begin Information] without [End Information]</translation>
    </message>
    <message>
        <source>[End] がありません: ファイルが途中で切れています</source>
        <translation>no [End]: the file is cut short</translation>
    </message>
    <message>
        <source>[Number of Frequencies] に数がありません</source>
        <translation>[Number of Frequencies] without a count</translation>
    </message>
    <message>
        <source>[Number of Frequencies] は %1 ですがデータは %2 件です</source>
        <translation>[Number of Frequencies] is %1 but the data hold %2</translation>
    </message>
    <message>
        <source>[Number of Ports] に数がありません</source>
        <translation>[Number of Ports] without a count</translation>
    </message>
    <message>
        <source>[Number of Ports] の前に [Network Data] があります</source>
        <translation>[Network Data] before [Number of Ports]</translation>
    </message>
    <message>
        <source>[Two-Port Data Order] は 12_21 か 21_12 です</source>
        <translation>[Two-Port Data Order] must be 12_21 or 21_12</translation>
    </message>
    <message>
        <source>[Version] がファイルの始めにありません</source>
        <translation>[Version] after the start</translation>
    </message>
    <message>
        <source>[Version] のないファイルにキーワード [%1] があります</source>
        <translation>keyword [%1] in a file without [Version]</translation>
    </message>
    <message>
        <source>&quot;Freq.&quot; の見出しがありません</source>
        <translation>no &quot;Freq.&quot; header</translation>
    </message>
    <message>
        <source>オプション行: R の後に基準抵抗がありません</source>
        <translation>option line: R without a reference resistance</translation>
    </message>
    <message>
        <source>オプション行: 不明な語 &quot;%1&quot;</source>
        <translation>option line: unknown word &quot;%1&quot;</translation>
    </message>
    <message>
        <source>キーワード [%1] には対応していません</source>
        <translation>keyword [%1] is not supported</translation>
    </message>
    <message>
        <source>キーワードに &apos;]&apos; がありません</source>
        <translation>keyword without &apos;]&apos;</translation>
    </message>
    <message>
        <source>ステップが多すぎます</source>
        <translation>too many steps</translation>
    </message>
    <message>
        <source>ステップのない行の後にステップ情報があります</source>
        <translation>step information after rows of no step</translation>
    </message>
    <message>
        <source>データがありません</source>
        <translation>no data</translation>
    </message>
    <message>
        <source>ネットワークデータがありません</source>
        <translation>no network data</translation>
    </message>
    <message>
        <source>バイナリデータです: テキストファイルではありません</source>
        <translation>binary data: not a text file</translation>
    </message>
    <message>
        <source>ファイルが大きすぎます</source>
        <translation>file too large</translation>
    </message>
    <message>
        <source>ミックスモードのパラメータには対応していません</source>
        <translation>mixed-mode parameters are not supported</translation>
    </message>
    <message>
        <source>列が1つしかありません（周波数とゲインが必要です）</source>
        <translation>one column: frequency and gain are needed</translation>
    </message>
    <message>
        <source>列が多すぎます</source>
        <translation>too many columns</translation>
    </message>
    <message>
        <source>周波数ではありません: &quot;%1&quot;</source>
        <translation>not a frequency: &quot;%1&quot;</translation>
    </message>
    <message>
        <source>数値ではありません: &quot;%1&quot;</source>
        <translation>not a number: &quot;%1&quot;</translation>
    </message>
    <message>
        <source>最初の行は %2 列ですがこの行は %1 列です</source>
        <translation>%1 columns where the first row has %2</translation>
    </message>
    <message>
        <source>空のファイルです</source>
        <translation>empty file</translation>
    </message>
    <message>
        <source>行が長すぎます</source>
        <translation>line too long</translation>
    </message>
    <message>
        <source>%1 列目の単位 &quot;%2&quot; は読めません（周波数は Hz, kHz, MHz, GHz、ゲインは dB、位相は deg, rad）</source>
        <translation>unit &quot;%2&quot; of column %1 is not known (frequency in Hz, kHz, MHz or GHz, gain in dB, phase in deg or rad)</translation>
    </message>
    <message>
        <source>行列の形式 %1 には対応していません（Full、Upper、Lower）</source>
        <translation>matrix format %1 is not supported (Full, Upper or Lower)</translation>
    </message>
    <message>
        <source>見出しだけでデータがありません</source>
        <translation>a header but no data</translation>
    </message>
    <message>
        <source>見出しにゲインの列がありません</source>
        <translation>the header names no gain column</translation>
    </message>
    <message>
        <source>見出しに周波数の列がありません</source>
        <translation>the header names no frequency column</translation>
    </message>
    <message>
        <source>見出しの %1 列より多い列があります</source>
        <translation>more than the header&apos;s %1 columns</translation>
    </message>
    <message>
        <source>見出しの &quot;Freq.&quot; の後に列がありません</source>
        <translation>header without columns after &quot;Freq.&quot;</translation>
    </message>
    <message>
        <source>見出しは %2 列ですがこの行は %1 列です</source>
        <translation>%1 columns where the header has %2</translation>
    </message>
    <message>
        <source>読み込めません: %1</source>
        <translation>cannot read: %1</translation>
    </message>
    <message>
        <source>通常のファイルではありません</source>
        <translation>not a regular file</translation>
    </message>
    <message>
        <source>開けません: %1</source>
        <translation>cannot open: %1</translation>
    </message>
    <message>
        <source>使える点がありません: %1 点すべての周波数か値が正でないか有限ではありません</source>
        <translation>no usable point: all %1 points have a non-positive or non-finite frequency or value</translation>
    </message>
    <message>
        <source>周波数ごとの数値 %2 個のうち %1 個しかありません: データが途中で切れています</source>
        <translation>a frequency with %1 of %2 numbers: data cut short</translation>
    </message>
    <message>
        <source>%1 ポートのファイルには対応していません（1〜%2 ポート）</source>
        <translation>files with %1 ports are not supported (1 to %2 ports)</translation>
    </message>
    <message>
        <source>2 ポートの [Network Data] に [Two-Port Data Order] がありません</source>
        <translation>[Network Data] of two ports without [Two-Port Data Order]</translation>
    </message>
    <message>
        <source>使える点がありません: %1 個の周波数がすべて正でないか有限ではありません</source>
        <translation>no usable point: all %1 frequencies are non-positive or not finite</translation>
    </message>
    <message>
        <source>オプション行がデータの後にあります: 単位や形式を途中で変えることはできません</source>
        <translation>an option line after the data: units and format cannot change within the file</translation>
    </message>
    <message>
        <source>周波数ごとの数値 %2 個のうち %1 個しかありません</source>
        <translation>a frequency with %1 of %2 numbers</translation>
    </message>
    <message>
        <source>キーワード [%1] がネットワークデータの後にあります</source>
        <translation>keyword [%1] after the network data began</translation>
    </message>
    <message>
        <source>ファイル名は %1 ポートですが、最初の周波数の数値 %2 個は %3 ポートのものです</source>
        <translation>the file name says %1 ports, but the %2 numbers of the first frequency are those of %3 ports</translation>
    </message>
    <message>
        <source>基準抵抗 R は正の数です: %1</source>
        <translation>the reference resistance R must be positive: %1</translation>
    </message>
    <message>
        <source>周波数 %1 が前の周波数 %2 より高くありません: 周波数は昇順に並びます</source>
        <translation>frequency %1 is not above the one before, %2: frequencies must ascend</translation>
    </message>
    <message>
        <source>1 行の数値が多すぎます: 周波数ごとに %1 個です</source>
        <translation>too many numbers on the line: a frequency has %1</translation>
    </message>
    <message>
        <source>雑音データの行には数値が 5 個あります（この行は %1 個）</source>
        <translation>a row of noise data has 5 numbers (this one has %1)</translation>
    </message>
    <message>
        <source>雑音データの周波数 %1 が前の周波数 %2 より高くありません</source>
        <translation>noise frequency %1 is not above the one before, %2</translation>
    </message>
    <message>
        <source>%1 列目がありません</source>
        <translation>column %1 is missing</translation>
    </message>
    <message>
        <source>"End Header:" の行がありません</source>
        <translation>no "End Header:" line</translation>
    </message>
    <message>
        <source>ZCURVE の表がありません</source>
        <translation>no ZCURVE table</translation>
    </message>
    <message>
        <source>見出しに周波数とインピーダンスの列がありません</source>
        <translation>the header names no frequency and impedance columns</translation>
    </message>
    <message>
        <source>見出しの行数が読めません</source>
        <translation>the number of header lines cannot be read</translation>
    </message>
    <message>
        <source>見出しの行がありません</source>
        <translation>the header line is missing</translation>
    </message>
    <message>
        <source>--columns は区切りのある表にだけ使えます</source>
        <translation>--columns is for delimited tables only</translation>
    </message>
    <message>
        <source>--z-from は S パラメータのファイルにだけ使えます</source>
        <translation>--z-from is for S-parameter files only</translation>
    </message>
</context>
<context>
    <name>Commands</name>
    <message>
        <source>ﾓﾃﾞﾙのﾌｨｯﾄ...</source>
        <translation>&amp;Fit Model...</translation>
    </message>
    <message>
        <source>表示ﾍﾟｰｼﾞに極と零点のﾓﾃﾞﾙをﾌｨｯﾄし、破線で重ねて描きます。
ﾓﾃﾞﾙのﾌｨｯﾄ</source>
        <translation>Fits a model of poles and zeros to the page shown and draws it over the page, dashed.
Fit model</translation>
    </message>
    <message>
        <source>ﾓﾃﾞﾙとの差 (残差) を表示</source>
        <translation>Show &amp;Residual from Model</translation>
    </message>
    <message>
        <source>ﾃﾞｰﾀとﾓﾃﾞﾙの差 (残差) を表示／非表示します。
残差の表示</source>
        <translation>Shows or hides the difference between the data and the model (the residual).
Show residual</translation>
    </message>
    <message>
        <source>ﾓﾃﾞﾙの消去</source>
        <translation>Re&amp;move Model</translation>
    </message>
    <message>
        <source>表示ﾍﾟｰｼﾞからﾌｨｯﾄしたﾓﾃﾞﾙを取り除きます。
ﾓﾃﾞﾙの消去</source>
        <translation>Removes the fitted model from the page shown.
Remove model</translation>
    </message>
    <message>
        <source>ﾓﾃﾞﾙをﾗﾌﾟﾗｽ式としてｺﾋﾟｰ</source>
        <translation>Copy Model as &amp;Laplace Expression</translation>
    </message>
    <message>
        <source>ﾓﾃﾞﾙを回路ｼﾐｭﾚｰﾀのﾗﾌﾟﾗｽ式としてｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰします。
ﾗﾌﾟﾗｽ式としてｺﾋﾟｰ</source>
        <translation>Copies the model to the clipboard as a Laplace expression for a circuit simulator.
Copy as Laplace expression</translation>
    </message>
    <message>
        <source>ﾓﾃﾞﾙを JSON としてｺﾋﾟｰ</source>
        <translation>Copy Model as &amp;JSON</translation>
    </message>
    <message>
        <source>ﾓﾃﾞﾙ (極､零点､ｹﾞｲﾝ､遅延､誤差) を JSON としてｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰします。
JSON としてｺﾋﾟｰ</source>
        <translation>Copies the model (poles, zeros, gain, delay, errors) to the clipboard as JSON.
Copy as JSON</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙから重ね描き...</source>
        <translation>Overlay from &amp;File...</translation>
    </message>
    <message>
        <source>ｽｲｰﾌﾟ ﾌｧｲﾙ (Touchstone、ﾃｷｽﾄなども) を選んで表示ﾍﾟｰｼﾞに重ねて描きます。
ﾌｧｲﾙから重ね描き</source>
        <translation>Lays chosen sweep files (Touchstone, text and others too) over the page shown.
Overlay from file</translation>
    </message>
    <message>
        <source>ﾏｽｸを開く...</source>
        <translation>Open M&amp;ask...</translation>
    </message>
    <message>
        <source>ﾘﾐｯﾄ ﾏｽｸを開き、すべてのﾍﾟｰｼﾞを判定して PASS/FAIL を表示します。
ﾏｽｸを開く</source>
        <translation>Opens a limit mask, judges every page against it and shows PASS or FAIL.
Open mask</translation>
    </message>
    <message>
        <source>ﾏｽｸを外す</source>
        <translation>Remove Mas&amp;k</translation>
    </message>
    <message>
        <source>ﾘﾐｯﾄ ﾏｽｸを外します。
ﾏｽｸを外す</source>
        <translation>Removes the limit mask.
Remove mask</translation>
    </message>
    <message>
        <source>統計を表示</source>
        <translation>Show &amp;Statistics</translation>
    </message>
    <message>
        <source>開いているすべてのﾍﾟｰｼﾞの平均±3σと最小/最大を表示ﾍﾟｰｼﾞに描きます。
統計を表示</source>
        <translation>Draws the mean ±3σ and the min/max of every open page on the page shown.
Show statistics</translation>
    </message>
</context>
<context>
    <name>Figures</name>
    <message>
        <source>%1 次</source>
        <translation>order %1</translation>
    </message>
    <message>
        <source> (指定)</source>
        <translation> (given)</translation>
    </message>
    <message>
        <source> (自動)</source>
        <translation> (automatic)</translation>
    </message>
    <message>
        <source>ﾓﾃﾞﾙ</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>極対</source>
        <translation>Pole pair</translation>
    </message>
    <message>
        <source>極</source>
        <translation>Pole</translation>
    </message>
    <message>
        <source>零点対</source>
        <translation>Zero pair</translation>
    </message>
    <message>
        <source>零点</source>
        <translation>Zero</translation>
    </message>
    <message>
        <source>ﾓﾃﾞﾙのｹﾞｲﾝ</source>
        <translation>Model gain</translation>
    </message>
    <message>
        <source>むだ時間</source>
        <translation>Dead time</translation>
    </message>
    <message>
        <source>RMS 誤差</source>
        <translation>RMS error</translation>
    </message>
    <message>
        <source>ﾌｨｯﾄ範囲</source>
        <translation>Fit range</translation>
    </message>
</context>
<context>
    <name>fernplot::FitDialog</name>
    <message>
        <source>ﾓﾃﾞﾙのﾌｨｯﾄ</source>
        <translation>Fit Model</translation>
    </message>
    <message>
        <source>次数 (極の数)</source>
        <translation>Order (number of poles)</translation>
    </message>
    <message>
        <source>自動</source>
        <translation>&amp;Automatic</translation>
    </message>
    <message>
        <source>1 次から 20 次まで試し、誤差が最良の 1.5 倍以内か、ﾃﾞｰﾀのﾉｲｽﾞ程度まで下がった最も低い次数を選びます</source>
        <translation>Tries orders 1 to 20 and keeps the lowest whose error is within 1.5 times the best, or down to the noise of the data</translation>
    </message>
    <message>
        <source>指定</source>
        <translation>&amp;Given</translation>
    </message>
    <message>
        <source>むだ時間 (遅延) も求める</source>
        <translation>Also fit a &amp;dead time (delay)</translation>
    </message>
    <message>
        <source>ﾌｨｯﾄする周波数範囲 (Hz)</source>
        <translation>Frequency range fitted (Hz)</translation>
    </message>
    <message>
        <source>ﾃﾞｰﾀの端</source>
        <translation>end of the data</translation>
    </message>
    <message>
        <source>数値 (Hz)。k, M, G を付けてもよい。空欄はﾃﾞｰﾀの端まで</source>
        <translation>A number in Hz, k, M or G may follow. Empty: up to the end of the data</translation>
    </message>
    <message>
        <source>下限</source>
        <translation>&amp;From</translation>
    </message>
    <message>
        <source>上限</source>
        <translation>&amp;To</translation>
    </message>
    <message>
        <source>周波数は 0 より大きい数値 (Hz) で入力してください</source>
        <translation>Enter the frequencies as numbers above 0 (Hz)</translation>
    </message>
    <message>
        <source>下限が上限より大きくなっています</source>
        <translation>The lower end is above the upper end</translation>
    </message>
</context>
<context>
    <name>FitRunner</name>
    <message>
        <source>ﾓﾃﾞﾙをﾌｨｯﾄしています...</source>
        <translation>Fitting the model...</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>ﾓﾃﾞﾙのﾌｨｯﾄ</source>
        <translation>Fit Model</translation>
    </message>
    <message>
        <source>等価回路をﾌｨｯﾄしています...</source>
        <translation>Fitting the equivalent circuit...</translation>
    </message>
    <message>
        <source>等価回路のﾌｨｯﾄ</source>
        <translation>Fit Equivalent Circuit</translation>
    </message>
</context>
<context>
    <name>fernplot::PageActions</name>
    <message>
        <source>このﾍﾟｰｼﾞにはﾓﾃﾞﾙをﾌｨｯﾄできません。
%1</source>
        <translation>No model can be fitted to this page.
%1</translation>
    </message>
</context>
<context>
    <name>Report</name>
    <message>
        <source>ﾌｧｲﾙ</source>
        <translation>File</translation>
    </message>
    <message>
        <source>ﾀｲﾄﾙ</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>-3dB</source>
        <translation>-3 dB</translation>
    </message>
    <message>
        <source>共振 f0</source>
        <translation>Resonance f0</translation>
    </message>
    <message>
        <source>Q</source>
        <translation>Q</translation>
    </message>
    <message>
        <source>読めません: </source>
        <translation>unreadable: </translation>
    </message>
    <message>
        <source>点数</source>
        <translation>Points</translation>
    </message>
    <message>
        <source>低域ｹﾞｲﾝ</source>
        <translation>LF gain</translation>
    </message>
    <message>
        <source>ﾋﾟｰｸ</source>
        <translation>Peak</translation>
    </message>
    <message>
        <source>位相余裕</source>
        <translation>Phase margin</translation>
    </message>
    <message>
        <source>ｹﾞｲﾝ余裕</source>
        <translation>Gain margin</translation>
    </message>
    <message>
        <source>ﾓｼﾞｭﾗｽ余裕</source>
        <translation>Modulus margin</translation>
    </message>
    <message>
        <source>遅延余裕</source>
        <translation>Delay margin</translation>
    </message>
    <message>
        <source>判定</source>
        <translation>Verdict</translation>
    </message>
    <message>
        <source>図表</source>
        <translation>Figure</translation>
    </message>
    <message>
        <source>平均</source>
        <translation>Mean</translation>
    </message>
    <message>
        <source>最小</source>
        <translation>Min</translation>
    </message>
    <message>
        <source>最大</source>
        <translation>Max</translation>
    </message>
    <message>
        <source>相対 RMS 誤差</source>
        <translation>Relative RMS error</translation>
    </message>
</context>
<context>
    <name>Fit</name>
    <message>
        <source>使えるデータ点がありません</source>
        <translation>no usable points</translation>
    </message>
    <message>
        <source>次数は 1 から %1 までです</source>
        <translation>the order must be 1 to %1</translation>
    </message>
    <message>
        <source>使えるデータ点 (%1) が %3 次のモデルの未知数 %2 個より少なくなっています</source>
        <translation>fewer usable points (%1) than the %2 unknowns of an order %3 model</translation>
    </message>
    <message>
        <source>ゲインが大きすぎるか小さすぎてフィットできません</source>
        <translation>a gain too large or too small to fit</translation>
    </message>
    <message>
        <source>データ点からモデルが決まりません</source>
        <translation>the points do not determine a model</translation>
    </message>
    <message>
        <source>指定の周波数範囲に使えるデータ点がありません</source>
        <translation>no usable points in the frequency range given</translation>
    </message>
    <message>
        <source>フィットを中止しました</source>
        <translation>the fit was cancelled</translation>
    </message>
</context>
<context>
    <name>fernplot::PageListDock</name>
    <message>
        <source>ﾍﾟｰｼﾞ一覧</source>
        <translation>Pages</translation>
    </message>
    <message>
        <source>No.</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ</source>
        <translation>File</translation>
    </message>
    <message>
        <source>判定</source>
        <translation>Verdict</translation>
    </message>
</context>
<context>
    <name>fernplot::CircuitFitDialog</name>
    <message>
        <source>等価回路のﾌｨｯﾄ</source>
        <translation>Fit Equivalent Circuit</translation>
    </message>
    <message>
        <source>素子 R, C, L, CPE, W, Wo, Ws, G に番号を付け､直列は -､並列は p(a,b) でつなぎます｡例: R0-p(R1,C1)-p(R2-Wo1,C2)</source>
        <translation>Elements R, C, L, CPE, W, Wo, Ws, G, each with a number, joined in series with - and in parallel with p(a,b). Example: R0-p(R1,C1)-p(R2-Wo1,C2)</translation>
    </message>
    <message>
        <source>回路</source>
        <translation>Circuit</translation>
    </message>
    <message>
        <source>ﾊﾟﾗﾒｰﾀ</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <source>初期値</source>
        <translation>Initial value</translation>
    </message>
    <message>
        <source>固定</source>
        <translation>Fixed</translation>
    </message>
    <message>
        <source>結果</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>標準誤差</source>
        <translation>Standard error</translation>
    </message>
    <message>
        <source>初期値が空欄のﾊﾟﾗﾒｰﾀはﾃﾞｰﾀから自動で選びます</source>
        <translation>A parameter without an initial value is started from a value chosen from the data</translation>
    </message>
    <message>
        <source>|Z| で割る (modulus)</source>
        <translation>Divided by |Z| (modulus)</translation>
    </message>
    <message>
        <source>なし (unit)</source>
        <translation>None (unit)</translation>
    </message>
    <message>
        <source>Re は |Re Z|､Im は |Im Z| で割る (proportional)</source>
        <translation>Re by |Re Z|, Im by |Im Z| (proportional)</translation>
    </message>
    <message>
        <source>残差の重み</source>
        <translation>Residual weight</translation>
    </message>
    <message>
        <source>大域探索 (global search)</source>
        <translation>Global search</translation>
    </message>
    <message>
        <source>いくつもの初期値から探し､最良の解を選びます (最長 2 秒)</source>
        <translation>Starts from many values and keeps the best optimum (at most 2 seconds)</translation>
    </message>
    <message>
        <source>不定</source>
        <translation>not determined</translation>
    </message>
    <message>
        <source>%1 の初期値が数値ではありません</source>
        <translation>The initial value of %1 is not a number</translation>
    </message>
    <message>
        <source>%1 を固定するには初期値が必要です</source>
        <translation>%1 needs an initial value to be fixed</translation>
    </message>
    <message>
        <source>回路を入力してください</source>
        <translation>Type a circuit</translation>
    </message>
</context>
</TS>
