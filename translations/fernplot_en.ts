<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
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
    <name>QtFrameDialogs</name>
    <message>
        <source>ﾃﾞｰﾀ ﾌｧｲﾙを開く</source>
        <translation>Open Data File</translation>
    </message>
    <message>
        <source>ﾃﾞｰﾀ ﾌｧｲﾙ (*.DAT *.dat)</source>
        <translation>Data files (*.DAT *.dat)</translation>
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
    <name>fernplot::CMainFrame</name>
    <message>
        <source>言語の変更は次回の起動から有効になります。</source>
        <translation>The language changes at the next start of the program.</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ[%1]が見つかりません。
最近使ったﾌｧｲﾙの一覧から外しました。</source>
        <translation>File [%1] not found.
It has been removed from the recent files.</translation>
    </message>
</context>
</TS>
