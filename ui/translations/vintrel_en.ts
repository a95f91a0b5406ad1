<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ja_JP">
<context>
    <name>History</name>
    <message>
        <source>スタート</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>ノード名＜%1＞に変更</source>
        <translation>Renamed to “%1”</translation>
    </message>
    <message>
        <source>%1-%2グラフ</source>
        <translation>%1-%2 curve</translation>
    </message>
    <message>
        <source>＜%1＞を追加</source>
        <translation>Added “%1”</translation>
    </message>
    <message>
        <source>＜%1＞を削除</source>
        <translation>Deleted “%1”</translation>
    </message>
    <message>
        <source>ノードの移動</source>
        <translation>Moved a node</translation>
    </message>
    <message>
        <source>%1-カラーグラデーション</source>
        <translation>%1-colour gradient</translation>
    </message>
</context>
<context>
    <name>CurveMenu</name>
    <message>
        <source>グラフ</source>
        <translation>Curve</translation>
    </message>
    <message>
        <source>コピー</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>貼り付け</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>形から始める</source>
        <translation>Start from a shape</translation>
    </message>
    <message>
        <source>平ら</source>
        <translation>Flat</translation>
    </message>
    <message>
        <source>上昇</source>
        <translation>Rising</translation>
    </message>
    <message>
        <source>下降</source>
        <translation>Falling</translation>
    </message>
    <message>
        <source>イーズイン</source>
        <translation>Ease in</translation>
    </message>
    <message>
        <source>イーズアウト</source>
        <translation>Ease out</translation>
    </message>
    <message>
        <source>山形</source>
        <translation>Bell</translation>
    </message>
</context>
<context>
    <name>DefaultNames</name>
    <message>
        <source>ノード</source>
        <translation>Node</translation>
    </message>
    <message>
        <source>ルートノード</source>
        <translation>Root node</translation>
    </message>
    <message>
        <source>カメラ位置</source>
        <translation>Camera position</translation>
    </message>
    <message>
        <source>注視点</source>
        <translation>Camera target</translation>
    </message>
    <message>
        <source>正面</source>
        <translation>Front</translation>
    </message>
    <message>
        <source>斜め上</source>
        <translation>Above</translation>
    </message>
    <message>
        <source>斜め左上</source>
        <translation>Above left</translation>
    </message>
    <message>
        <source>－</source>
        <translation> – </translation>
    </message>
</context>
<context>
    <name>CameraSettingsDialog</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>カメラの設定</source>
        <translation>Camera settings</translation>
    </message>
    <message>
        <source>カメラ移動</source>
        <translation>Camera move</translation>
    </message>
</context>
<context>
    <name>Command</name>
    <message>
        <source>ライブラリから新規作成(&amp;L)...</source>
        <translation>New from &amp;library...</translation>
    </message>
    <message>
        <source>背景の設定(&amp;D)...</source>
        <translation>Back&amp;drop...</translation>
    </message>
    <message>
        <source>次のシードと比較(&amp;N)</source>
        <translation>Compare with the &amp;next seed</translation>
    </message>
    <message>
        <source>保存したファイルと比較(&amp;W)</source>
        <translation>Compare with the &amp;saved file</translation>
    </message>
    <message>
        <source>やりなおし(&amp;R)	Ctrl+Y</source>
        <translation>&amp;Redo	Ctrl+Y</translation>
    </message>
    <message>
        <source>アップデート確認(&amp;U)</source>
        <translation>Check for &amp;updates</translation>
    </message>
    <message>
        <source>オンラインヘルプ(&amp;H)	F1</source>
        <translation>Online &amp;help	F1</translation>
    </message>
    <message>
        <source>カメラの設定(&amp;C)	Ctrl+C</source>
        <translation>&amp;Camera settings	Ctrl+C</translation>
    </message>
    <message>
        <source>バイナリ書き出し(&amp;V)...</source>
        <translation>Binary e&amp;xport...</translation>
    </message>
    <message>
        <source>バージョン情報(&amp;V)</source>
        <translation>&amp;About Vintrel</translation>
    </message>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>プロジェクトの設定(&amp;P)	Ctrl+P</source>
        <translation>&amp;Project settings	Ctrl+P</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>マスクの設定(&amp;K)	Ctrl+M</source>
        <translation>Mas&amp;k settings	Ctrl+M</translation>
    </message>
    <message>
        <source>リメイク(&amp;M)	Ctrl+R</source>
        <translation>Re&amp;make	Ctrl+R</translation>
    </message>
    <message>
        <source>上書き保存(&amp;S)	Ctrl+S</source>
        <translation>&amp;Save	Ctrl+S</translation>
    </message>
    <message>
        <source>元に戻す(&amp;U)	Ctrl+Z</source>
        <translation>&amp;Undo	Ctrl+Z</translation>
    </message>
    <message>
        <source>名前を付けて保存(&amp;A)	Ctrl+Shift+S</source>
        <translation>Save &amp;As	Ctrl+Shift+S</translation>
    </message>
    <message>
        <source>履歴リスト(&amp;H)	Ctrl+H</source>
        <translation>&amp;History list	Ctrl+H</translation>
    </message>
    <message>
        <source>ノードをコピー(&amp;C)	Ctrl+Shift+C</source>
        <translation>&amp;Copy node	Ctrl+Shift+C</translation>
    </message>
    <message>
        <source>ノードを切り取り(&amp;T)	Ctrl+Shift+X</source>
        <translation>Cu&amp;t node	Ctrl+Shift+X</translation>
    </message>
    <message>
        <source>ノードを貼り付け(&amp;P)	Ctrl+Shift+V</source>
        <translation>&amp;Paste node	Ctrl+Shift+V</translation>
    </message>
    <message>
        <source>新規作成(&amp;N)	Ctrl+N</source>
        <translation>&amp;New	Ctrl+N</translation>
    </message>
    <message>
        <source>書き出し(&amp;W)	Ctrl+W</source>
        <translation>&amp;Export	Ctrl+W</translation>
    </message>
    <message>
        <source>書き出しを再生(&amp;Y)...</source>
        <translation>Pla&amp;y the export...</translation>
    </message>
    <message>
        <source>最近使ったファイル(&amp;F)</source>
        <translation>Recent &amp;files</translation>
    </message>
    <message>
        <source>現在のFPS(&amp;S)	Ctrl+L</source>
        <translation>Frame &amp;rate	Ctrl+L</translation>
    </message>
    <message>
        <source>エミッターのガイド(&amp;G)	Ctrl+G</source>
        <translation>Emitter &amp;guide	Ctrl+G</translation>
    </message>
    <message>
        <source>現在のパーティクル数(&amp;P)	Ctrl+T</source>
        <translation>&amp;Particle count	Ctrl+T</translation>
    </message>
    <message>
        <source>現在のフレーム(&amp;F)	Ctrl+F</source>
        <translation>Current &amp;frame	Ctrl+F</translation>
    </message>
    <message>
        <source>終了(&amp;E)	Alt+F4</source>
        <translation>E&amp;xit	Alt+F4</translation>
    </message>
    <message>
        <source>編集(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>背景色の設定(&amp;B)	Ctrl+B</source>
        <translation>&amp;Background colour	Ctrl+B</translation>
    </message>
    <message>
        <source>表示(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>視点リスト(&amp;V)	Ctrl+V</source>
        <translation>&amp;Viewpoint list	Ctrl+V</translation>
    </message>
    <message>
        <source>エフェクト全体を表示(&amp;E)	F</source>
        <translation>Frame the &amp;effect	F</translation>
    </message>
    <message>
        <source>設定(&amp;S)</source>
        <translation>&amp;Settings</translation>
    </message>
    <message>
        <source>開く(&amp;O)	Ctrl+O</source>
        <translation>&amp;Open	Ctrl+O</translation>
    </message>
    <message>
        <source>リアルタイム再生(&amp;R)</source>
        <translation>Play in &amp;real time</translation>
    </message>
</context>
<context>
    <name>Curve</name>
    <message>
        <source>ぶれ</source>
        <translation>Shake</translation>
    </message>
    <message>
        <source>カラー【不透明度】</source>
        <translation>Colour [opacity]</translation>
    </message>
    <message>
        <source>カラー【緑】</source>
        <translation>Colour [green]</translation>
    </message>
    <message>
        <source>カラー【赤】</source>
        <translation>Colour [red]</translation>
    </message>
    <message>
        <source>カラー【青】</source>
        <translation>Colour [blue]</translation>
    </message>
    <message>
        <source>サイズ【全体】</source>
        <translation>Size [overall]</translation>
    </message>
    <message>
        <source>サイズ【奥行き】</source>
        <translation>Size [depth]</translation>
    </message>
    <message>
        <source>サイズ【幅】</source>
        <translation>Size [width]</translation>
    </message>
    <message>
        <source>サイズ【高さ】</source>
        <translation>Size [height]</translation>
    </message>
    <message>
        <source>公転角度</source>
        <translation>Orbit angle</translation>
    </message>
    <message>
        <source>自転角度</source>
        <translation>Spin angle</translation>
    </message>
    <message>
        <source>速度</source>
        <translation>Speed</translation>
    </message>
</context>
<context>
    <name>DirectionIndicator</name>
    <message>
        <source>移動方向</source>
        <translation>Direction of travel</translation>
    </message>
</context>
<context>
    <name>DirectionPicker</name>
    <message>
        <source>%1°</source>
        <translation>%1°</translation>
    </message>
    <message>
        <source>移動方向</source>
        <translation>Direction of travel</translation>
    </message>
</context>
<context>
    <name>Document</name>
    <message>
        <source>無題.stn</source>
        <translation>Untitled.stn</translation>
    </message>
</context>
<context>
    <name>Export</name>
    <message>
        <source>%1枚</source>
        <translation>%1 frames</translation>
    </message>
    <message>
        <source>3D ビューを描画できないため、書き出せません。</source>
        <translation>The 3D view cannot be drawn, so nothing can be exported.</translation>
    </message>
    <message>
        <source>アニメーションGIF</source>
        <translation>Animated GIF</translation>
    </message>
    <message>
        <source>オプション</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>タイプ</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>テスト</source>
        <translation>Test</translation>
    </message>
    <message>
        <source>ピクセル</source>
        <translation>pixels</translation>
    </message>
    <message>
        <source>フレーム</source>
        <translation>Frame</translation>
    </message>
    <message>
        <source>フレーム毎</source>
        <translation>frame steps</translation>
    </message>
    <message>
        <source>フレーム目</source>
        <translation>(frame no.)</translation>
    </message>
    <message>
        <source>プレビュー</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>並べて保存</source>
        <translation>Save side by side</translation>
    </message>
    <message>
        <source>中断</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>光彩</source>
        <translation>Glow</translation>
    </message>
    <message>
        <source>動画(.avi)</source>
        <translation>Video (.avi)</translation>
    </message>
    <message>
        <source>幅</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>強さ</source>
        <translation>Strength</translation>
    </message>
    <message>
        <source>書き出し</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>書き出しエラー</source>
        <translation>Export error</translation>
    </message>
    <message>
        <source>書き出しフレーム</source>
        <translation>Export frames</translation>
    </message>
    <message>
        <source>書き出し中</source>
        <translation>Exporting</translation>
    </message>
    <message>
        <source>横</source>
        <translation>Across</translation>
    </message>
    <message>
        <source>滑らかさ</source>
        <translation>Smoothing</translation>
    </message>
    <message>
        <source>無題</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <source>範囲</source>
        <translation>Range</translation>
    </message>
    <message>
        <source>約%1秒</source>
        <translation>about %1 s</translation>
    </message>
    <message>
        <source>終了フレーム</source>
        <translation>End frame</translation>
    </message>
    <message>
        <source>背景を透明にする</source>
        <translation>Transparent background</translation>
    </message>
    <message>
        <source>色</source>
        <translation>Colour</translation>
    </message>
    <message>
        <source>複数ファイル</source>
        <translation>Separate files</translation>
    </message>
    <message>
        <source>配置</source>
        <translation>Layout</translation>
    </message>
    <message>
        <source>高さ</source>
        <translation>Height</translation>
    </message>
    <message>
        <source>％</source>
        <translation>%</translation>
    </message>
    <message>
        <source>１フレームの解像度</source>
        <translation>Resolution of one frame</translation>
    </message>
    <message>
        <source>～</source>
        <translation>to</translation>
    </message>
    <message>
        <source>アニメーションPNG</source>
        <translation>Animated PNG</translation>
    </message>
    <message>
        <source>アニメーションWebP</source>
        <translation>Animated WebP</translation>
    </message>
    <message>
        <source>WebM動画(透明)</source>
        <translation>WebM video (transparent)</translation>
    </message>
    <message>
        <source>ProRes 4444(.mov)</source>
        <translation>ProRes 4444 (.mov)</translation>
    </message>
    <message>
        <source>詳細…</source>
        <translation>Details…</translation>
    </message>
    <message>
        <source>書き出しの詳細</source>
        <translation>Export details</translation>
    </message>
    <message>
        <source>アトラスデータ</source>
        <translation>Atlas data</translation>
    </message>
    <message>
        <source>なし</source>
        <translation>None</translation>
    </message>
    <message>
        <source>TexturePacker（ハッシュ）</source>
        <translation>TexturePacker (hash)</translation>
    </message>
    <message>
        <source>TexturePacker（配列）</source>
        <translation>TexturePacker (array)</translation>
    </message>
    <message>
        <source>Aseprite</source>
        <translation>Aseprite</translation>
    </message>
    <message>
        <source>Godot SpriteFrames</source>
        <translation>Godot SpriteFrames</translation>
    </message>
    <message>
        <source>透明の扱い</source>
        <translation>Alpha</translation>
    </message>
    <message>
        <source>ストレート</source>
        <translation>Straight</translation>
    </message>
    <message>
        <source>乗算済み</source>
        <translation>Premultiplied</translation>
    </message>
    <message>
        <source>黒地に加算</source>
        <translation>Additive on black</translation>
    </message>
    <message>
        <source>セルの間隔</source>
        <translation>Padding</translation>
    </message>
    <message>
        <source>外周の余白</source>
        <translation>Border</translation>
    </message>
    <message>
        <source>縁の延長</source>
        <translation>Edge extrusion</translation>
    </message>
    <message>
        <source>切り詰め</source>
        <translation>Trim</translation>
    </message>
    <message>
        <source>しない</source>
        <translation>None</translation>
    </message>
    <message>
        <source>フレームごと</source>
        <translation>Per frame</translation>
    </message>
    <message>
        <source>全フレーム共通</source>
        <translation>Common to all frames</translation>
    </message>
    <message>
        <source>2のべき乗のサイズ</source>
        <translation>Power-of-two size</translation>
    </message>
    <message>
        <source>最大サイズ</source>
        <translation>Largest page side</translation>
    </message>
    <message>
        <source>制限なし</source>
        <translation>No limit</translation>
    </message>
    <message>
        <source>ファイル名</source>
        <translation>File name</translation>
    </message>
    <message>
        <source>{name} {columns} {rows} {frames} {page} が使えます</source>
        <translation>You can use {name} {columns} {rows} {frames} {page}</translation>
    </message>
    <message>
        <source>書き出しの再生</source>
        <translation>Export playback</translation>
    </message>
    <message>
        <source>再生レート</source>
        <translation>Playback rate</translation>
    </message>
    <message>
        <source>フレームの間</source>
        <translation>Between frames</translation>
    </message>
    <message>
        <source>切り替え</source>
        <translation>Hold</translation>
    </message>
    <message>
        <source>クロスフェード</source>
        <translation>Crossfade</translation>
    </message>
    <message>
        <source>動きベクトル</source>
        <translation>Motion vectors</translation>
    </message>
    <message>
        <source>書き出したフレームを読めません。もう一度書き出してください。</source>
        <translation>The exported frames cannot be read. Export again.</translation>
    </message>
    <message>
        <source>動きベクトルのシート</source>
        <translation>Motion-vector sheet</translation>
    </message>
    <message>
        <source>発光レイヤーのシート</source>
        <translation>Emissive sheet</translation>
    </message>
    <message>
        <source>深度のシート</source>
        <translation>Depth sheet</translation>
    </message>
    <message>
        <source>シームレスループ</source>
        <translation>Seamless loop</translation>
    </message>
    <message>
        <source>重ねるフレーム数</source>
        <translation>Cross-faded frames</translation>
    </message>
    <message>
        <source>自動（4分の1）</source>
        <translation>Automatic (a quarter)</translation>
    </message>
    <message>
        <source> ピクセル</source>
        <translation> px</translation>
    </message>
    <message>
        <source>背景色</source>
        <translation>Background colour</translation>
    </message>
    <message>
        <source>市松模様</source>
        <translation>Checkerboard</translation>
    </message>
    <message>
        <source>黒</source>
        <translation>Black</translation>
    </message>
    <message>
        <source>白</source>
        <translation>White</translation>
    </message>
    <message>
        <source>背景</source>
        <translation>Backdrop</translation>
    </message>
</context>
<context>
    <name>FileDialog</name>
    <message>
        <source>3Dモデル(*.obj)</source>
        <translation>3D models (*.obj)</translation>
    </message>
    <message>
        <source>PNGファイル(*.png)</source>
        <translation>PNG files (*.png)</translation>
    </message>
    <message>
        <source>Vintrelデータ(*.stn)</source>
        <translation>Vintrel projects (*.stn)</translation>
    </message>
    <message>
        <source>Vintrelバイナリデータ(*.vtb)</source>
        <translation>Vintrel binary data (*.vtb)</translation>
    </message>
    <message>
        <source>すべてのファイル(*.*)</source>
        <translation>All files (*.*)</translation>
    </message>
    <message>
        <source>バイナリ書き出し</source>
        <translation>Binary export</translation>
    </message>
    <message>
        <source>名前を付けて保存</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>無題.vtb</source>
        <translation>Untitled.vtb</translation>
    </message>
    <message>
        <source>開く</source>
        <translation>Open</translation>
    </message>
</context>
<context>
    <name>Hint</name>
    <message>
        <source>「カメラの設定」ダイアログを表示。</source>
        <translation>Open the camera settings.</translation>
    </message>
    <message>
        <source>「プロジェクトの設定」ダイアログを表示。</source>
        <translation>Open the project settings.</translation>
    </message>
    <message>
        <source>「マスクの設定」ダイアログを表示。</source>
        <translation>Open the mask settings.</translation>
    </message>
    <message>
        <source>「履歴リスト」を表示。</source>
        <translation>Show the history list.</translation>
    </message>
    <message>
        <source>「背景色の設定」ダイアログを表示。</source>
        <translation>Choose the background colour.</translation>
    </message>
    <message>
        <source>「視点リスト」を表示。</source>
        <translation>Show the viewpoint list.</translation>
    </message>
    <message>
        <source>やりなおし。</source>
        <translation>Redo.</translation>
    </message>
    <message>
        <source>アニメーションを繰り返すかどうか。</source>
        <translation>Whether the animation repeats.</translation>
    </message>
    <message>
        <source>エフェクトを開く。</source>
        <translation>Open an effect.</translation>
    </message>
    <message>
        <source>オンラインヘルプ</source>
        <translation>Online help</translation>
    </message>
    <message>
        <source>チェックを入れるとパーティクルが常に進行方向を向く。</source>
        <translation>When checked, particles always face their direction of travel.</translation>
    </message>
    <message>
        <source>チェックを入れると親パーティクルについていく。</source>
        <translation>When checked, particles follow their parent particle.</translation>
    </message>
    <message>
        <source>テクスチャに横に何コマ画像がならんでいるか。</source>
        <translation>How many cells the texture holds side by side.</translation>
    </message>
    <message>
        <source>テクスチャに縦に何コマ画像がならんでいるか。</source>
        <translation>How many cells the texture holds one above the other.</translation>
    </message>
    <message>
        <source>テクスチャをアニメーションさせる場合はチェック。</source>
        <translation>Check to animate the texture.</translation>
    </message>
    <message>
        <source>テクスチャアニメーションの速度。</source>
        <translation>Speed of the texture animation.</translation>
    </message>
    <message>
        <source>ドラッグでズームイン／ズームアウト。</source>
        <translation>Drag to zoom in or out.</translation>
    </message>
    <message>
        <source>ドラッグで視点を回転。</source>
        <translation>Drag to rotate the view.</translation>
    </message>
    <message>
        <source>ドラッグで視点を移動。</source>
        <translation>Drag to move the view.</translation>
    </message>
    <message>
        <source>ノードを一つ上に移動。</source>
        <translation>Move the node up one place.</translation>
    </message>
    <message>
        <source>ノードを一つ下に移動。</source>
        <translation>Move the node down one place.</translation>
    </message>
    <message>
        <source>ノードを削除する。</source>
        <translation>Delete the node.</translation>
    </message>
    <message>
        <source>ノードを子ノードにする。</source>
        <translation>Make the node a child node.</translation>
    </message>
    <message>
        <source>ノードを複製する。</source>
        <translation>Duplicate the node.</translation>
    </message>
    <message>
        <source>ノードを親ノードにする。</source>
        <translation>Make the node a parent node.</translation>
    </message>
    <message>
        <source>パーティクルが吸い込まれる位置（上下）。</source>
        <translation>Where particles are drawn to (up/down).</translation>
    </message>
    <message>
        <source>パーティクルが吸い込まれる位置（前後）。</source>
        <translation>Where particles are drawn to (front/back).</translation>
    </message>
    <message>
        <source>パーティクルが吸い込まれる位置（左右）。</source>
        <translation>Where particles are drawn to (left/right).</translation>
    </message>
    <message>
        <source>パーティクルが吸い込まれる強さ。</source>
        <translation>How strongly particles are drawn in.</translation>
    </message>
    <message>
        <source>パーティクルが発生してから消えるまでのフレーム数。</source>
        <translation>Frames from a particle's birth until it disappears.</translation>
    </message>
    <message>
        <source>パーティクルが発生し始めるフレーム。</source>
        <translation>The frame at which particles start to be emitted.</translation>
    </message>
    <message>
        <source>パーティクルが発生し終えるフレーム。</source>
        <translation>The frame at which particles stop being emitted.</translation>
    </message>
    <message>
        <source>パーティクルに貼り付ける画像を選択。</source>
        <translation>Choose the image put on the particles.</translation>
    </message>
    <message>
        <source>パーティクルのサイズ。</source>
        <translation>Particle size.</translation>
    </message>
    <message>
        <source>パーティクルのサイズのばらつき。</source>
        <translation>Variation of the particle size.</translation>
    </message>
    <message>
        <source>パーティクルのサイズの変化。</source>
        <translation>Change of the particle size.</translation>
    </message>
    <message>
        <source>パーティクルの向きを選択。</source>
        <translation>Choose which way particles face.</translation>
    </message>
    <message>
        <source>パーティクルの太さの変化。</source>
        <translation>Change of the particle thickness.</translation>
    </message>
    <message>
        <source>パーティクルの奥行きの変化。</source>
        <translation>Change of the particle depth.</translation>
    </message>
    <message>
        <source>パーティクルの寿命のばらつき。</source>
        <translation>Variation of the particle lifetime.</translation>
    </message>
    <message>
        <source>パーティクルの幅の変化。</source>
        <translation>Change of the particle width.</translation>
    </message>
    <message>
        <source>パーティクルの形を選択。</source>
        <translation>Choose the particle shape.</translation>
    </message>
    <message>
        <source>パーティクルの最大移動速度。</source>
        <translation>The particles' greatest speed.</translation>
    </message>
    <message>
        <source>パーティクルの発射する方向。</source>
        <translation>The direction particles are fired in.</translation>
    </message>
    <message>
        <source>パーティクルの発射する方向のばらつき。</source>
        <translation>Variation of the firing direction.</translation>
    </message>
    <message>
        <source>パーティクルの発生頻度のばらつき。</source>
        <translation>Variation of the emission frequency.</translation>
    </message>
    <message>
        <source>パーティクルの移動速度のばらつき。</source>
        <translation>Variation of the particle speed.</translation>
    </message>
    <message>
        <source>パーティクルの移動速度の変化。</source>
        <translation>Change of the particle speed.</translation>
    </message>
    <message>
        <source>パーティクルの透明具合を設定。</source>
        <translation>Set how transparent particles are.</translation>
    </message>
    <message>
        <source>パーティクルの重なったところが光って見えるようになる。</source>
        <translation>Where particles overlap, they glow.</translation>
    </message>
    <message>
        <source>パーティクルの高さの変化。</source>
        <translation>Change of the particle height.</translation>
    </message>
    <message>
        <source>パーティクルを消滅させるフレーム。</source>
        <translation>The frame at which particles disappear.</translation>
    </message>
    <message>
        <source>パーティクルを消滅させるフレームのばらつき。</source>
        <translation>Variation of the frame at which particles disappear.</translation>
    </message>
    <message>
        <source>パーティクルを等間隔で発生させる。形状が「円（垂直）」「円（水平）」のときのみ選択可。</source>
        <translation>Emits particles at even intervals. Only for the shapes "Circle (vertical)" and "Circle (horizontal)".</translation>
    </message>
    <message>
        <source>上書き保存する。</source>
        <translation>Save the project.</translation>
    </message>
    <message>
        <source>下にノードを追加する。</source>
        <translation>Add a node below.</translation>
    </message>
    <message>
        <source>下方向に移動している時に高さ0になると消滅。</source>
        <translation>Disappear on reaching height 0 while moving down.</translation>
    </message>
    <message>
        <source>何フレームに１回の頻度でパーティクルを発生させるか。</source>
        <translation>Emit particles once every how many frames.</translation>
    </message>
    <message>
        <source>値を大きくすると、色相は変わらずに明るさがばらつくようになります。</source>
        <translation>Larger values vary the brightness without changing the hue.</translation>
    </message>
    <message>
        <source>値を大きくすると、透明度がばらつくようになります。</source>
        <translation>Larger values vary the transparency.</translation>
    </message>
    <message>
        <source>元に戻す。</source>
        <translation>Undo.</translation>
    </message>
    <message>
        <source>先頭から末尾までの太さを同じにする。</source>
        <translation>Same thickness from head to tail.</translation>
    </message>
    <message>
        <source>先頭の太さのみグラフで変化させる。</source>
        <translation>Only the head's thickness follows the curve.</translation>
    </message>
    <message>
        <source>公転の回転方向。</source>
        <translation>Direction of the orbit.</translation>
    </message>
    <message>
        <source>公転の回転角度。</source>
        <translation>Angle of the orbit.</translation>
    </message>
    <message>
        <source>公転の回転角度のばらつき。</source>
        <translation>Variation of the orbit angle.</translation>
    </message>
    <message>
        <source>公転の回転角度の変化。</source>
        <translation>Change of the orbit angle.</translation>
    </message>
    <message>
        <source>公転の回転軸。</source>
        <translation>Axis of the orbit.</translation>
    </message>
    <message>
        <source>円柱の上面の半径の変化。</source>
        <translation>Change of the cylinder's top radius.</translation>
    </message>
    <message>
        <source>円柱の底の半径の変化。</source>
        <translation>Change of the cylinder's bottom radius.</translation>
    </message>
    <message>
        <source>円柱の長さの変化。</source>
        <translation>Change of the cylinder's length.</translation>
    </message>
    <message>
        <source>地面の下（Y &lt; 0)は表示されなくなる。</source>
        <translation>Nothing below the ground (Y &lt; 0) is shown.</translation>
    </message>
    <message>
        <source>外側から何％の範囲で発生させるか。100％だと「内部」を選んだときと同じ。</source>
        <translation>Emit within this percentage from the outside. At 100% it is the same as "Inside".</translation>
    </message>
    <message>
        <source>子ノードを追加する。</source>
        <translation>Add a child node.</translation>
    </message>
    <message>
        <source>指定したフレームになるとパーティクルを消す。</source>
        <translation>Particles disappear at the given frame.</translation>
    </message>
    <message>
        <source>指定した範囲の内部のどこからでも発生する。</source>
        <translation>Emitted anywhere inside the given range.</translation>
    </message>
    <message>
        <source>指定した範囲の外側から発生する。</source>
        <translation>Emitted from the outside of the given range.</translation>
    </message>
    <message>
        <source>指定した範囲内の外側から指定した範囲内で発生するか。</source>
        <translation>Whether particles are emitted inside the range or from its outside.</translation>
    </message>
    <message>
        <source>新しくエフェクトを作成する。</source>
        <translation>Create a new effect.</translation>
    </message>
    <message>
        <source>画像を上下反転する。</source>
        <translation>Flip the image upside down.</translation>
    </message>
    <message>
        <source>画像を左右反転する。</source>
        <translation>Flip the image left to right.</translation>
    </message>
    <message>
        <source>画像を時計回りに90°回転させる。</source>
        <translation>Turn the image 90° clockwise.</translation>
    </message>
    <message>
        <source>画像ファイルに書き出し。</source>
        <translation>Export to image files.</translation>
    </message>
    <message>
        <source>画像内の緑をどれくらい反映させるか。</source>
        <translation>How much of the image's green shows.</translation>
    </message>
    <message>
        <source>画像内の赤をどれくらい反映させるか。</source>
        <translation>How much of the image's red shows.</translation>
    </message>
    <message>
        <source>画像内の青をどれくらい反映させるか。</source>
        <translation>How much of the image's blue shows.</translation>
    </message>
    <message>
        <source>発射方向を指定する場合はチェック。</source>
        <translation>Check to set the firing direction.</translation>
    </message>
    <message>
        <source>発生するタイミングをエフェクト開始からのフレーム数で指定する。</source>
        <translation>Emission times counted in frames from the start of the effect.</translation>
    </message>
    <message>
        <source>発生するタイミングを親パーティクルが発生してからのフレーム数で指定する。</source>
        <translation>Emission times counted in frames from the birth of the parent particle.</translation>
    </message>
    <message>
        <source>発生する範囲の中心位置（上下）。</source>
        <translation>Centre of the emission range (up/down).</translation>
    </message>
    <message>
        <source>発生する範囲の中心位置（前後）。</source>
        <translation>Centre of the emission range (front/back).</translation>
    </message>
    <message>
        <source>発生する範囲の中心位置（左右）。</source>
        <translation>Centre of the emission range (left/right).</translation>
    </message>
    <message>
        <source>発生する範囲の奥行き。</source>
        <translation>Depth of the emission range.</translation>
    </message>
    <message>
        <source>発生する範囲の幅。</source>
        <translation>Width of the emission range.</translation>
    </message>
    <message>
        <source>発生する範囲の形状。</source>
        <translation>Shape of the emission range.</translation>
    </message>
    <message>
        <source>発生する範囲の高さ。</source>
        <translation>Height of the emission range.</translation>
    </message>
    <message>
        <source>素材をファイルに保存する。</source>
        <translation>Save the material to a file.</translation>
    </message>
    <message>
        <source>素材を削除する。</source>
        <translation>Delete the material.</translation>
    </message>
    <message>
        <source>素材を追加する。</source>
        <translation>Add a material.</translation>
    </message>
    <message>
        <source>自転の回転方向。</source>
        <translation>Direction of the spin.</translation>
    </message>
    <message>
        <source>自転の回転角度。</source>
        <translation>Angle of the spin.</translation>
    </message>
    <message>
        <source>自転の回転角度のばらつき。</source>
        <translation>Variation of the spin angle.</translation>
    </message>
    <message>
        <source>自転の回転角度の変化。</source>
        <translation>Change of the spin angle.</translation>
    </message>
    <message>
        <source>自転の回転軸。</source>
        <translation>Axis of the spin.</translation>
    </message>
    <message>
        <source>落下する強さ。</source>
        <translation>How strongly particles fall.</translation>
    </message>
    <message>
        <source>親と同じ回転をさせます。</source>
        <translation>Rotates the same way as the parent.</translation>
    </message>
    <message>
        <source>親パーティクルが回転しても、発生する範囲は影響受けなくなる。</source>
        <translation>The emission range no longer turns with the parent particle.</translation>
    </message>
    <message>
        <source>親パーティクルが消滅する時に、このパーティクルを発生させる。</source>
        <translation>Emit this particle when the parent particle dies.</translation>
    </message>
    <message>
        <source>親パーティクルが透明になると自分も透明になる。</source>
        <translation>When the parent particle becomes transparent, so does this one.</translation>
    </message>
    <message>
        <source>親パーティクルのサイズが変わっても、発生する範囲は影響受けなくなる。</source>
        <translation>The emission range no longer changes with the parent particle's size.</translation>
    </message>
    <message>
        <source>設定をそのままにエフェクトを作り直す。</source>
        <translation>Make the effect anew with the same settings.</translation>
    </message>
    <message>
        <source>軌跡の長さ。</source>
        <translation>Length of the trail.</translation>
    </message>
    <message>
        <source>通常の半透明描画。</source>
        <translation>Normal translucent drawing.</translation>
    </message>
    <message>
        <source>１度に何個ずつパーティクルを発生させるか。</source>
        <translation>How many particles are emitted at a time.</translation>
    </message>
    <message>
        <source>１度に発生するパーティクル個数のばらつき。</source>
        <translation>Variation of the number of particles emitted at a time.</translation>
    </message>
    <message>
        <source>寿命に沿った色と不透明度。点をドラッグで移動、ダブルクリックで色の変更か点の追加、右クリックで追加・削除。</source>
        <translation>Colour and opacity over the life. Drag a stop to move it, double-click to change its colour or add a stop, right-click to add or remove.</translation>
    </message>
</context>
<context>
    <name>HistoryListDialog</name>
    <message>
        <source>履歴リスト</source>
        <translation>History list</translation>
    </message>
</context>
<context>
    <name>HistoryRows</name>
    <message>
        <source>履歴リスト</source>
        <translation>History list</translation>
    </message>
</context>
<context>
    <name>MaskSettingsDialog</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>なし</source>
        <translation>None</translation>
    </message>
    <message>
        <source>ピクセル</source>
        <translation>pixels</translation>
    </message>
    <message>
        <source>マスクの設定</source>
        <translation>Mask settings</translation>
    </message>
    <message>
        <source>表示する</source>
        <translation>Show</translation>
    </message>
</context>
<context>
    <name>MaterialPanel</name>
    <message>
        <source>「%1」に保存できませんでした。</source>
        <translation>Could not save to "%1".</translation>
    </message>
    <message>
        <source>「%1」を削除できませんでした。</source>
        <translation>Could not delete "%1".</translation>
    </message>
    <message>
        <source>「%1」を変換できませんでした。</source>
        <translation>Could not convert "%1".</translation>
    </message>
    <message>
        <source>この機能は３Ｄモデルに対して使うことはできません。</source>
        <translation>This function cannot be used on 3D models.</translation>
    </message>
    <message>
        <source>マテリアルパネル</source>
        <translation>Material panel</translation>
    </message>
    <message>
        <source>マテリアルパネルのスクロールバー</source>
        <translation>Material panel scrollbar</translation>
    </message>
    <message>
        <source>マテリアルリスト</source>
        <translation>Material list</translation>
    </message>
    <message>
        <source>名前を付けて保存</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>次のファイルは名前をプロジェクトに保存できないため、追加しませんでした。
%1</source>
        <translation>These files were not added: their names cannot be stored in a project.
%1</translation>
    </message>
    <message>
        <source>次のファイルは画像でもOBJモデルでもないため、追加しませんでした。
%1</source>
        <translation>These files were not added: they are neither images nor OBJ models.
%1</translation>
    </message>
    <message>
        <source>次のファイルは読み込めなかったため、追加しませんでした。
%1</source>
        <translation>These files were not added: they could not be read.
%1</translation>
    </message>
    <message>
        <source>次のファイルを作業フォルダーに書き込めませんでした。
%1</source>
        <translation>These files could not be written to the work folder.
%1</translation>
    </message>
    <message>
        <source>開く</source>
        <translation>Open</translation>
    </message>
</context>
<context>
    <name>Message</name>
    <message>
        <source>背景の画像「%1」を読めません。</source>
        <translation>The backdrop picture "%1" cannot be read.</translation>
    </message>
    <message>
        <source>動画「%1」から%2番のフレームを取り出せません。
%3</source>
        <translation>Frame %2 cannot be taken from the video "%1".
%3</translation>
    </message>
    <message>
        <source>動画「%1」には%2番のフレームがありません。</source>
        <translation>The video "%1" has no frame %2.</translation>
    </message>
    <message>
        <source>動画のフレームを取り出すffmpegが見つかりません（Debianでは apt install ffmpeg）。</source>
        <translation>ffmpeg, which takes frames from videos, is not found (on Debian: apt install ffmpeg).</translation>
    </message>
    <message>
        <source>比較する保存ファイルを展開する作業フォルダーを作れません。</source>
        <translation>No working folder can be made to unpack the saved file for the comparison.</translation>
    </message>
    <message>
        <source>書き出しを中断しました。</source>
        <translation>The export was stopped.</translation>
    </message>
    <message>
        <source>9個を超える子を持つノードか、9段より深い階層のノードがあるため、保存できません。</source>
        <translation>Cannot save: a node has more than 9 children, or the tree is more than 9 levels deep.</translation>
    </message>
    <message>
        <source>このファイルは、より新しいバージョンのVintrelで作成されたものです。
開くためにはメニューの「ヘルプ」⇒「アップデート確認」を選択し
最新版にアップデートしてください。</source>
        <translation>This file was made with a newer version of Vintrel.
To open it, choose Help &gt; Check for updates
and update to the latest version.</translation>
    </message>
    <message>
        <source>ステップが正しくありません</source>
        <translation>The step is not valid</translation>
    </message>
    <message>
        <source>ノードの位置がカメラ用の番号（998・999）と重なるため、保存できません。</source>
        <translation>Cannot save: a node position collides with the numbers kept for the camera (998, 999).</translation>
    </message>
    <message>
        <source>ファイル読み込みエラー</source>
        <translation>File read error</translation>
    </message>
    <message>
        <source>作業フォルダーにファイルを書き込めません。</source>
        <translation>Cannot write files to the work folder.</translation>
    </message>
    <message>
        <source>作業フォルダーを作り直せません。</source>
        <translation>Cannot make the work folder anew.</translation>
    </message>
    <message>
        <source>作業フォルダーを作れません。</source>
        <translation>Cannot make the work folder.</translation>
    </message>
    <message>
        <source>保存エラー</source>
        <translation>Save error</translation>
    </message>
    <message>
        <source>対応していないファイルか、ファイルが壊れている可能性があります。</source>
        <translation>The file is not supported, or it may be damaged.</translation>
    </message>
    <message>
        <source>新しいウィンドウを開けません。</source>
        <translation>Cannot open a new window.</translation>
    </message>
    <message>
        <source>書き出しエラー</source>
        <translation>Export error</translation>
    </message>
    <message>
        <source>書き出しサイズが正しくありません</source>
        <translation>The export size is not valid</translation>
    </message>
    <message>
        <source>終了フレームが正しくありません</source>
        <translation>The end frame is not valid</translation>
    </message>
    <message>
        <source>設定を修正してください。</source>
        <translation>Please correct the settings.</translation>
    </message>
    <message>
        <source>開始フレームが正しくありません</source>
        <translation>The start frame is not valid</translation>
    </message>
    <message>
        <source>開始フレームが終了フレームより大きくなっています</source>
        <translation>The start frame is after the end frame</translation>
    </message>
    <message>
        <source>%1は%2～%3の範囲で入力してください。</source>
        <translation>Enter %1 between %2 and %3.</translation>
    </message>
    <message>
        <source>3D ビューを描画できないため、書き出せません。</source>
        <translation>The 3D view cannot be drawn, so nothing can be exported.</translation>
    </message>
    <message>
        <source>OpenGL 3.3 を使えません。</source>
        <translation>OpenGL 3.3 is not available.</translation>
    </message>
    <message>
        <source>「%1」に保存できませんでした。
%2</source>
        <translation>Could not save to “%1”.
%2</translation>
    </message>
    <message>
        <source>「%1」に書き出せませんでした。
%2</source>
        <translation>Could not export to “%1”.
%2</translation>
    </message>
    <message>
        <source>「%1」は存在しないか、他のアプリケーションで開いているため読み込めません。</source>
        <translation>“%1” cannot be read: it does not exist, or another application has it open.</translation>
    </message>
    <message>
        <source>このノードは削除できません</source>
        <translation>This node cannot be deleted</translation>
    </message>
    <message>
        <source>デフォルトの設定を保存できませんでした。
%1</source>
        <translation>Could not save the default settings.
%1</translation>
    </message>
    <message>
        <source>ファイル「%1」が大きすぎるため、保存できません。</source>
        <translation>Cannot save: the file “%1” is too large.</translation>
    </message>
    <message>
        <source>ファイル名「%1」はプロジェクトに保存できません。</source>
        <translation>The file name “%1” cannot be stored in a project.</translation>
    </message>
    <message>
        <source>確認</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>素材%1をコピーできませんでした。</source>
        <translation>Could not copy the materials %1.</translation>
    </message>
    <message>
        <source>素材ファイル「%1」が見つからないため、保存できません。</source>
        <translation>Cannot save: the material file “%1” is missing.</translation>
    </message>
    <message>
        <source>対応していないファイルか、ファイルが壊れている可能性があります。

%1</source>
        <translation>The file is not supported, or it may be damaged.

%1</translation>
    </message>
    <message>
        <source>このファイルは、より新しいバージョンのVintrelで作成されたものです。
開くためにはメニューの「ヘルプ」⇒「アップデート確認」を選択し
最新版にアップデートしてください。

%1</source>
        <translation>This file was made with a newer version of Vintrel.
To open it, choose Help &gt; Check for updates
and update to the latest version.

%1</translation>
    </message>
    <message>
        <source>深度ステンシル（コピー用）の作成失敗</source>
        <translation>Could not create the depth stencil (for the copy)</translation>
    </message>
    <message>
        <source>深度ステンシルの作成失敗</source>
        <translation>Could not create the depth stencil</translation>
    </message>
    <message>
        <source>レンダーターゲットビュー（コピー用）作成失敗</source>
        <translation>Could not create the render target view (for the copy)</translation>
    </message>
    <message>
        <source>レンダーターゲットビュー作成失敗</source>
        <translation>Could not create the render target view</translation>
    </message>
    <message>
        <source>書き出し用レンダーターゲット（コピー用）作成失敗</source>
        <translation>Could not create the export render target (for the copy)</translation>
    </message>
    <message>
        <source>書き出し用レンダーターゲット作成失敗</source>
        <translation>Could not create the export render target</translation>
    </message>
    <message>
        <source>クリップボードのノードを読めません。</source>
        <translation>The nodes on the clipboard cannot be read.</translation>
    </message>
    <message>
        <source>素材「%1」は名前が長すぎるため、別の名前で追加できません。</source>
        <translation>The material “%1” has too long a name to be added under another name.</translation>
    </message>
    <message>
        <source>貼り付け</source>
        <translation>Paste</translation>
    </message>
</context>
<context>
    <name>NodePanel</name>
    <message>
        <source>ノードパネル</source>
        <translation>Node panel</translation>
    </message>
    <message>
        <source>ノードパネルのスクロールバー</source>
        <translation>Node panel scrollbar</translation>
    </message>
    <message>
        <source>ノード一覧</source>
        <translation>Node list</translation>
    </message>
    <message>
        <source>ノード名</source>
        <translation>Node name</translation>
    </message>
    <message>
        <source>表示</source>
        <translation>Show</translation>
    </message>
    <message>
        <source>非表示</source>
        <translation>Hide</translation>
    </message>
    <message>
        <source>ノード</source>
        <translation>Node</translation>
    </message>
</context>
<context>
    <name>OriginalScrollbar</name>
    <message>
        <source>スクロールバー</source>
        <translation>Scrollbar</translation>
    </message>
</context>
<context>
    <name>Pane</name>
    <message>
        <source>3Dビュー</source>
        <translation>3D view</translation>
    </message>
    <message>
        <source>ツールバー</source>
        <translation>Toolbar</translation>
    </message>
    <message>
        <source>ノード</source>
        <translation>Node</translation>
    </message>
    <message>
        <source>パラメーター</source>
        <translation>Parameters</translation>
    </message>
    <message>
        <source>パラメーターのスクロールバー</source>
        <translation>Parameter scrollbar</translation>
    </message>
    <message>
        <source>ヒント</source>
        <translation>Hint</translation>
    </message>
    <message>
        <source>情報バー</source>
        <translation>Info bar</translation>
    </message>
    <message>
        <source>素材</source>
        <translation>Materials</translation>
    </message>
</context>
<context>
    <name>Panel</name>
    <message>
        <source> 不透明度</source>
        <translation> Opacity</translation>
    </message>
    <message>
        <source> 個数</source>
        <translation> Count</translation>
    </message>
    <message>
        <source> 奥行き</source>
        <translation> Depth</translation>
    </message>
    <message>
        <source> 幅</source>
        <translation> Width</translation>
    </message>
    <message>
        <source> 期間</source>
        <translation> Period</translation>
    </message>
    <message>
        <source> 緑</source>
        <translation> Green</translation>
    </message>
    <message>
        <source> 誤差</source>
        <translation> Variation</translation>
    </message>
    <message>
        <source> 赤</source>
        <translation> Red</translation>
    </message>
    <message>
        <source> 青</source>
        <translation> Blue</translation>
    </message>
    <message>
        <source> 頻度</source>
        <translation> Frequency</translation>
    </message>
    <message>
        <source> 高さ</source>
        <translation> Height</translation>
    </message>
    <message>
        <source>(誤差</source>
        <translation>(var.</translation>
    </message>
    <message>
        <source>その他</source>
        <translation>Other</translation>
    </message>
    <message>
        <source>なし</source>
        <translation>None</translation>
    </message>
    <message>
        <source>ぶれ</source>
        <translation>Shake</translation>
    </message>
    <message>
        <source>ぶれ（親の影響）</source>
        <translation>Shake (parent's influence)</translation>
    </message>
    <message>
        <source>アニメーション</source>
        <translation>Animation</translation>
    </message>
    <message>
        <source>オプション</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>コマ</source>
        <translation>Cells</translation>
    </message>
    <message>
        <source>コマの並び</source>
        <translation>Cell layout</translation>
    </message>
    <message>
        <source>サイズ</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>サイズ固定</source>
        <translation>Fixed size</translation>
    </message>
    <message>
        <source>サイズ誤差</source>
        <translation>Size variation</translation>
    </message>
    <message>
        <source>タイプ</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>テクスチャ</source>
        <translation>Texture</translation>
    </message>
    <message>
        <source>テクスチャのブレンドモード</source>
        <translation>Texture blend mode</translation>
    </message>
    <message>
        <source>テクスチャの横の並び</source>
        <translation>Texture cells across</translation>
    </message>
    <message>
        <source>テクスチャの縦の並び</source>
        <translation>Texture cells down</translation>
    </message>
    <message>
        <source>テクスチャアニメ</source>
        <translation>Tex. animation</translation>
    </message>
    <message>
        <source>テクスチャアニメのループ</source>
        <translation>Texture animation loop</translation>
    </message>
    <message>
        <source>テクスチャアニメ速度</source>
        <translation>Tex. animation speed</translation>
    </message>
    <message>
        <source>パラメーターのタブ</source>
        <translation>Parameter tabs</translation>
    </message>
    <message>
        <source>パワー</source>
        <translation>Power</translation>
    </message>
    <message>
        <source>パーティクルの向き</source>
        <translation>Particle facing</translation>
    </message>
    <message>
        <source>パーティクルの形状</source>
        <translation>Particle shape</translation>
    </message>
    <message>
        <source>パーティクル発生期間</source>
        <translation>Emission period</translation>
    </message>
    <message>
        <source>フレーム</source>
        <translation>Frame</translation>
    </message>
    <message>
        <source>ブレンド</source>
        <translation>Blend</translation>
    </message>
    <message>
        <source>ランダム</source>
        <translation>Random</translation>
    </message>
    <message>
        <source>一方向</source>
        <translation>One way</translation>
    </message>
    <message>
        <source>一方向移動</source>
        <translation>One-way movement</translation>
    </message>
    <message>
        <source>上</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>下</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>任意</source>
        <translation>Custom</translation>
    </message>
    <message>
        <source>位置</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>個ずつ</source>
        <translation>at a time</translation>
    </message>
    <message>
        <source>先半径</source>
        <translation>Tip radius</translation>
    </message>
    <message>
        <source>公転</source>
        <translation>Orbit</translation>
    </message>
    <message>
        <source>内部</source>
        <translation>Inside</translation>
    </message>
    <message>
        <source>円柱</source>
        <translation>Cylinder</translation>
    </message>
    <message>
        <source>円（垂直）</source>
        <translation>Circle (vertical)</translation>
    </message>
    <message>
        <source>円（水平）</source>
        <translation>Circle (horizontal)</translation>
    </message>
    <message>
        <source>前</source>
        <translation>Front</translation>
    </message>
    <message>
        <source>半球</source>
        <translation>Hemisphere</translation>
    </message>
    <message>
        <source>右</source>
        <translation>Right</translation>
    </message>
    <message>
        <source>向き</source>
        <translation>Facing</translation>
    </message>
    <message>
        <source>向き固定</source>
        <translation>Fixed facing</translation>
    </message>
    <message>
        <source>吸引</source>
        <translation>Attraction</translation>
    </message>
    <message>
        <source>吸引力</source>
        <translation>Attraction power</translation>
    </message>
    <message>
        <source>吸引場所X</source>
        <translation>Attraction point X</translation>
    </message>
    <message>
        <source>吸引場所Y</source>
        <translation>Attraction point Y</translation>
    </message>
    <message>
        <source>吸引場所Z</source>
        <translation>Attraction point Z</translation>
    </message>
    <message>
        <source>回転</source>
        <translation>Rotation</translation>
    </message>
    <message>
        <source>回転方向</source>
        <translation>Rotation direction</translation>
    </message>
    <message>
        <source>回転方向（公転）</source>
        <translation>Orbit direction</translation>
    </message>
    <message>
        <source>回転方向（自転）</source>
        <translation>Spin direction</translation>
    </message>
    <message>
        <source>回転角度誤差（公転）</source>
        <translation>Orbit angle variation</translation>
    </message>
    <message>
        <source>回転角度誤差（自転）</source>
        <translation>Spin angle variation</translation>
    </message>
    <message>
        <source>回転角度（公転）</source>
        <translation>Orbit angle</translation>
    </message>
    <message>
        <source>回転角度（自転）</source>
        <translation>Spin angle</translation>
    </message>
    <message>
        <source>回転軸（公転）</source>
        <translation>Orbit axis</translation>
    </message>
    <message>
        <source>回転軸（自転）</source>
        <translation>Spin axis</translation>
    </message>
    <message>
        <source>固定</source>
        <translation>Fixed</translation>
    </message>
    <message>
        <source>地下非表示</source>
        <translation>Hide underground</translation>
    </message>
    <message>
        <source>地下非表示フラグ</source>
        <translation>Hide underground flag</translation>
    </message>
    <message>
        <source>変化</source>
        <translation>Change</translation>
    </message>
    <message>
        <source>太さ</source>
        <translation>Thickness</translation>
    </message>
    <message>
        <source>太さタイプ</source>
        <translation>Thickness type</translation>
    </message>
    <message>
        <source>寿命</source>
        <translation>Lifetime</translation>
    </message>
    <message>
        <source>寿命の誤差</source>
        <translation>Lifetime variation</translation>
    </message>
    <message>
        <source>左</source>
        <translation>Left</translation>
    </message>
    <message>
        <source>平面</source>
        <translation>Plane</translation>
    </message>
    <message>
        <source>底半径</source>
        <translation>Bottom radius</translation>
    </message>
    <message>
        <source>度</source>
        <translation>°</translation>
    </message>
    <message>
        <source>度)</source>
        <translation>°)</translation>
    </message>
    <message>
        <source>形状</source>
        <translation>Shape</translation>
    </message>
    <message>
        <source>後</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>方向</source>
        <translation>Direction</translation>
    </message>
    <message>
        <source>明るさ</source>
        <translation>Brightness</translation>
    </message>
    <message>
        <source>明るさ誤差</source>
        <translation>Brightness variation</translation>
    </message>
    <message>
        <source>最大値</source>
        <translation>Maximum</translation>
    </message>
    <message>
        <source>横</source>
        <translation>Across</translation>
    </message>
    <message>
        <source>消滅</source>
        <translation>Death</translation>
    </message>
    <message>
        <source>消滅フレーム</source>
        <translation>Death frame</translation>
    </message>
    <message>
        <source>消滅フレームの設定</source>
        <translation>Death frame setting</translation>
    </message>
    <message>
        <source>消滅フレーム誤差</source>
        <translation>Death frame variation</translation>
    </message>
    <message>
        <source>球</source>
        <translation>Sphere</translation>
    </message>
    <message>
        <source>画像</source>
        <translation>Image</translation>
    </message>
    <message>
        <source>発生</source>
        <translation>Birth</translation>
    </message>
    <message>
        <source>発生個数</source>
        <translation>Emission count</translation>
    </message>
    <message>
        <source>発生個数誤差</source>
        <translation>Emission count variation</translation>
    </message>
    <message>
        <source>発生源</source>
        <translation>Emitter</translation>
    </message>
    <message>
        <source>発生源のサイズ</source>
        <translation>Emitter size</translation>
    </message>
    <message>
        <source>発生源の位置（X)</source>
        <translation>Emitter position (X)</translation>
    </message>
    <message>
        <source>発生源の位置（Y)</source>
        <translation>Emitter position (Y)</translation>
    </message>
    <message>
        <source>発生源の位置（Z)</source>
        <translation>Emitter position (Z)</translation>
    </message>
    <message>
        <source>発生源の向き固定</source>
        <translation>Fixed emitter facing</translation>
    </message>
    <message>
        <source>発生源の奥行き</source>
        <translation>Emitter depth</translation>
    </message>
    <message>
        <source>発生源の幅</source>
        <translation>Emitter width</translation>
    </message>
    <message>
        <source>発生源の形状</source>
        <translation>Emitter shape</translation>
    </message>
    <message>
        <source>発生源の範囲（種類）</source>
        <translation>Emitter range (kind)</translation>
    </message>
    <message>
        <source>発生源の範囲（％）</source>
        <translation>Emitter range (%)</translation>
    </message>
    <message>
        <source>発生源の高さ</source>
        <translation>Emitter height</translation>
    </message>
    <message>
        <source>発生終了フレーム</source>
        <translation>Emission end frame</translation>
    </message>
    <message>
        <source>発生開始フレーム</source>
        <translation>Emission start frame</translation>
    </message>
    <message>
        <source>発生頻度</source>
        <translation>Emission frequency</translation>
    </message>
    <message>
        <source>発生頻度誤差</source>
        <translation>Emission frequency variation</translation>
    </message>
    <message>
        <source>直方体</source>
        <translation>Box</translation>
    </message>
    <message>
        <source>着地で消滅</source>
        <translation>Die on landing</translation>
    </message>
    <message>
        <source>着地で消滅するか</source>
        <translation>Whether particles die on landing</translation>
    </message>
    <message>
        <source>移動</source>
        <translation>Motion</translation>
    </message>
    <message>
        <source>移動方向誤差</source>
        <translation>Direction variation</translation>
    </message>
    <message>
        <source>移動速度</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>等間隔</source>
        <translation>Even spacing</translation>
    </message>
    <message>
        <source>等間隔に発生</source>
        <translation>Emit at even intervals</translation>
    </message>
    <message>
        <source>範囲</source>
        <translation>Range</translation>
    </message>
    <message>
        <source>絶対フレーム数</source>
        <translation>Absolute frames</translation>
    </message>
    <message>
        <source>縦</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>繰り返し</source>
        <translation>Repeat</translation>
    </message>
    <message>
        <source>自転</source>
        <translation>Spin</translation>
    </message>
    <message>
        <source>色</source>
        <translation>Colour</translation>
    </message>
    <message>
        <source>表面</source>
        <translation>Surface</translation>
    </message>
    <message>
        <source>親に合わせて自転</source>
        <translation>Spin with the parent</translation>
    </message>
    <message>
        <source>親に合わせる</source>
        <translation>Follow the parent</translation>
    </message>
    <message>
        <source>親に追従</source>
        <translation>Follow the parent</translation>
    </message>
    <message>
        <source>親のフレーム数</source>
        <translation>Parent's frames</translation>
    </message>
    <message>
        <source>親の向き</source>
        <translation>Parent's facing</translation>
    </message>
    <message>
        <source>親の影響</source>
        <translation>Inherit</translation>
    </message>
    <message>
        <source>親の影響を受ける</source>
        <translation>Influenced by the parent</translation>
    </message>
    <message>
        <source>親の消滅時</source>
        <translation>At the parent's death</translation>
    </message>
    <message>
        <source>親の透明度影響</source>
        <translation>Parent's opacity</translation>
    </message>
    <message>
        <source>親の進行方向</source>
        <translation>Parent's direction of travel</translation>
    </message>
    <message>
        <source>角度</source>
        <translation>Angle</translation>
    </message>
    <message>
        <source>軌跡</source>
        <translation>Trail</translation>
    </message>
    <message>
        <source>軌跡の長さ</source>
        <translation>Trail length</translation>
    </message>
    <message>
        <source>軸</source>
        <translation>Axis</translation>
    </message>
    <message>
        <source>輝き合成</source>
        <translation>Additive</translation>
    </message>
    <message>
        <source>逆回転</source>
        <translation>Reverse rotation</translation>
    </message>
    <message>
        <source>透明度</source>
        <translation>Opacity</translation>
    </message>
    <message>
        <source>透明度誤差</source>
        <translation>Opacity variation</translation>
    </message>
    <message>
        <source>通常</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>通常合成</source>
        <translation>Normal blending</translation>
    </message>
    <message>
        <source>速度</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>速度誤差</source>
        <translation>Speed variation</translation>
    </message>
    <message>
        <source>進行方向を向く</source>
        <translation>Face the direction of travel</translation>
    </message>
    <message>
        <source>進行方向を向くか</source>
        <translation>Whether particles face their direction of travel</translation>
    </message>
    <message>
        <source>進行方向Ｘ軸</source>
        <translation>Direction X axis</translation>
    </message>
    <message>
        <source>進行方向Ｙ軸</source>
        <translation>Direction Y axis</translation>
    </message>
    <message>
        <source>進行方向Ｚ軸</source>
        <translation>Direction Z axis</translation>
    </message>
    <message>
        <source>重力</source>
        <translation>Gravity</translation>
    </message>
    <message>
        <source>長さ</source>
        <translation>Length</translation>
    </message>
    <message>
        <source>％</source>
        <translation>%</translation>
    </message>
    <message>
        <source>％)</source>
        <translation>%)</translation>
    </message>
    <message>
        <source>％）</source>
        <translation>%)</translation>
    </message>
    <message>
        <source>（誤差</source>
        <translation>(var.</translation>
    </message>
    <message>
        <source>２Ｄ</source>
        <translation>2D</translation>
    </message>
    <message>
        <source>Ｘ軸（横軸）</source>
        <translation>X axis (across)</translation>
    </message>
    <message>
        <source>Ｙ軸（縦軸）</source>
        <translation>Y axis (up)</translation>
    </message>
    <message>
        <source>Ｚ軸（前後軸）</source>
        <translation>Z axis (front/back)</translation>
    </message>
    <message>
        <source>～</source>
        <translation>to</translation>
    </message>
    <message>
        <source>ｱﾆﾒｰｼｮﾝさせる</source>
        <translation>Animate</translation>
    </message>
    <message>
        <source>フレームに1回</source>
        <translation>frames apart</translation>
    </message>
    <message>
        <source> グラデーション</source>
        <translation> Gradient</translation>
    </message>
</context>
<context>
    <name>ProjectSettingsDialog</name>
    <message>
        <source>%1は%2～%3の範囲で入力してください。</source>
        <translation>Enter %1 between %2 and %3.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>この設定をデフォルトにする</source>
        <translation>Make these settings the default</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>デフォルトの設定を保存できませんでした。
%1</source>
        <translation>Could not save the default settings.
%1</translation>
    </message>
    <message>
        <source>プロジェクトの設定</source>
        <translation>Project settings</translation>
    </message>
    <message>
        <source>設定を修正してください。</source>
        <translation>Please correct the settings.</translation>
    </message>
</context>
<context>
    <name>Prompt</name>
    <message>
        <source>データが変更されています。
保存しますか？</source>
        <translation>The data has been changed.
Do you want to save it?</translation>
    </message>
    <message>
        <source>指定したファイルが見つかりません。
「最近使ったファイル」の一覧から削除しますか？</source>
        <translation>The file was not found.
Remove it from the recent files?</translation>
    </message>
    <message>
        <source>自動保存されたデータが残っています。
復元しますか？

※「いいえ」を選ぶと、このデータは削除されます。</source>
        <translation>Autosaved data was left behind.
Do you want to restore it?

If you choose "No", this data is deleted.</translation>
    </message>
</context>
<context>
    <name>Spinner</name>
    <message>
        <source>＋</source>
        <translation>+</translation>
    </message>
    <message>
        <source>－</source>
        <translation>-</translation>
    </message>
</context>
<context>
    <name>Transport</name>
    <message>
        <source>1フレーム戻る</source>
        <translation>One frame back</translation>
    </message>
    <message>
        <source>1フレーム進む</source>
        <translation>One frame on</translation>
    </message>
    <message>
        <source>フレーム</source>
        <translation>Frame</translation>
    </message>
    <message>
        <source>一時停止</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>再生</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>再生コントロール</source>
        <translation>Playback</translation>
    </message>
    <message>
        <source>最初のフレームへ</source>
        <translation>First frame</translation>
    </message>
</context>
<context>
    <name>UpdateDialog</name>
    <message>
        <source>Vintrel　アップデート確認</source>
        <translation>Vintrel update check</translation>
    </message>
    <message>
        <source>【現在】%1 ⇒ 【新】%2</source>
        <translation>Current: %1 ⇒ New: %2</translation>
    </message>
    <message>
        <source>いいえ</source>
        <translation>No</translation>
    </message>
    <message>
        <source>このバージョンでは通知しない</source>
        <translation>Do not notify me about this version</translation>
    </message>
    <message>
        <source>新しいバージョンが公開されています。アップデートしますか？</source>
        <translation>A new version has been published. Do you want to update?</translation>
    </message>
</context>
<context>
    <name>VersionDialog</name>
    <message>
        <source>バージョン %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>バージョン情報</source>
        <translation>About Vintrel</translation>
    </message>
    <message>
        <source>＜更新履歴＞</source>
        <translation>&lt;Change history&gt;</translation>
    </message>
</context>
<context>
    <name>ViewListDialog</name>
    <message>
        <source>視点リスト</source>
        <translation>Viewpoint list</translation>
    </message>
</context>
<context>
    <name>ViewpointRows</name>
    <message>
        <source>視点リスト</source>
        <translation>Viewpoint list</translation>
    </message>
    <message>
        <source>＜追加＞</source>
        <translation>&lt;Add&gt;</translation>
    </message>
</context>
<context>
    <name>vintrel::CameraSettingsDialog</name>
    <message>
        <source>カメラの設定</source>
        <translation>Camera settings</translation>
    </message>
    <message>
        <source>カメラ位置（視点）</source>
        <translation>Camera position (eye)</translation>
    </message>
    <message>
        <source>カメラ移動</source>
        <translation>Camera move</translation>
    </message>
    <message>
        <source>上下</source>
        <translation>Up/down</translation>
    </message>
    <message>
        <source>前後</source>
        <translation>Front/back</translation>
    </message>
    <message>
        <source>左右</source>
        <translation>Left/right</translation>
    </message>
    <message>
        <source>注視点（焦点）</source>
        <translation>Target (focus)</translation>
    </message>
</context>
<context>
    <name>vintrel::DirectionIndicator</name>
    <message>
        <source>移動方向</source>
        <translation>Direction of travel</translation>
    </message>
</context>
<context>
    <name>vintrel::DirectionPicker</name>
    <message>
        <source>【上】から見た図</source>
        <translation>Seen from above</translation>
    </message>
    <message>
        <source>【横】から見た図</source>
        <translation>Seen from the side</translation>
    </message>
    <message>
        <source>上</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>下</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>右</source>
        <translation>Right</translation>
    </message>
    <message>
        <source>奥</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>左</source>
        <translation>Left</translation>
    </message>
    <message>
        <source>手前</source>
        <translation>Front</translation>
    </message>
    <message>
        <source>移動方向</source>
        <translation>Direction of travel</translation>
    </message>
</context>
<context>
    <name>vintrel::HistoryListDialog</name>
    <message>
        <source>履歴リスト</source>
        <translation>History list</translation>
    </message>
</context>
<context>
    <name>vintrel::HistoryRows</name>
    <message>
        <source>履歴リスト</source>
        <translation>History list</translation>
    </message>
</context>
<context>
    <name>vintrel::MaskSettingsDialog</name>
    <message>
        <source>なし</source>
        <translation>None</translation>
    </message>
    <message>
        <source>サイズ</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>ピクセル</source>
        <translation>pixels</translation>
    </message>
    <message>
        <source>プレビュー</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>マスクの設定</source>
        <translation>Mask settings</translation>
    </message>
    <message>
        <source>マスク画像</source>
        <translation>Mask image</translation>
    </message>
    <message>
        <source>上下</source>
        <translation>Up/down</translation>
    </message>
    <message>
        <source>位置</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>左右</source>
        <translation>Left/right</translation>
    </message>
    <message>
        <source>幅</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>表示する</source>
        <translation>Show</translation>
    </message>
    <message>
        <source>高さ</source>
        <translation>Height</translation>
    </message>
</context>
<context>
    <name>vintrel::OriginalScrollbar</name>
    <message>
        <source>スクロールバー</source>
        <translation>Scrollbar</translation>
    </message>
</context>
<context>
    <name>vintrel::ProjectSettingsDialog</name>
    <message>
        <source>FPS</source>
        <translation>FPS</translation>
    </message>
    <message>
        <source>この設定をデフォルトにする</source>
        <translation>Make these settings the default</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>ピクセル</source>
        <translation>pixels</translation>
    </message>
    <message>
        <source>フレーム</source>
        <translation>Frame</translation>
    </message>
    <message>
        <source>フレーム数</source>
        <translation>Frames</translation>
    </message>
    <message>
        <source>プレビュー速度</source>
        <translation>Preview speed</translation>
    </message>
    <message>
        <source>プロジェクトの設定</source>
        <translation>Project settings</translation>
    </message>
    <message>
        <source>前後ソート</source>
        <translation>Depth sort</translation>
    </message>
    <message>
        <source>幅</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>書き出しサイズ</source>
        <translation>Export size</translation>
    </message>
    <message>
        <source>書き出しサイズの幅</source>
        <translation>Export width</translation>
    </message>
    <message>
        <source>書き出しサイズの高さ</source>
        <translation>Export height</translation>
    </message>
    <message>
        <source>画像を滑らかにしない</source>
        <translation>Do not smooth the image</translation>
    </message>
    <message>
        <source>表示オプション</source>
        <translation>Display options</translation>
    </message>
    <message>
        <source>表示順逆転</source>
        <translation>Reverse drawing order</translation>
    </message>
    <message>
        <source>高さ</source>
        <translation>Height</translation>
    </message>
</context>
<context>
    <name>vintrel::ViewListDialog</name>
    <message>
        <source>視点リスト</source>
        <translation>Viewpoint list</translation>
    </message>
</context>
<context>
    <name>vintrel::ViewpointRows</name>
    <message>
        <source>視点リスト</source>
        <translation>Viewpoint list</translation>
    </message>
    <message>
        <source>＜追加＞</source>
        <translation>&lt;Add&gt;</translation>
    </message>
</context>
<context>
    <name>CurvePoint</name>
    <message>
        <source>点の位置と値</source>
        <translation>Point</translation>
    </message>
    <message>
        <source>位置</source>
        <translation>Position along the life</translation>
    </message>
    <message>
        <source>値</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>位置(&amp;P):</source>
        <translation>&amp;Position:</translation>
    </message>
    <message>
        <source>値(&amp;V):</source>
        <translation>&amp;Value:</translation>
    </message>
</context>
<context>
    <name>Gradient</name>
    <message>
        <source>カラーグラデーション</source>
        <translation>Colour gradient</translation>
    </message>
    <message>
        <source>←→で点を選び、Shift+←→で移動、Enterで色、Insertで追加、Deleteで削除</source>
        <translation>Left and Right select a stop, Shift+Left and Shift+Right move it, Enter chooses its colour, Insert adds a stop, Delete removes it</translation>
    </message>
    <message>
        <source>点の色</source>
        <translation>Stop colour</translation>
    </message>
    <message>
        <source>色を選ぶ...</source>
        <translation>Choose colour...</translation>
    </message>
    <message>
        <source>点を削除</source>
        <translation>Remove stop</translation>
    </message>
    <message>
        <source>ここに点を追加</source>
        <translation>Add stop here</translation>
    </message>
</context>
<context>
    <name>InfoBar</name>
    <message>
        <source>パーティクル</source>
        <translation>Particle</translation>
    </message>
    <message>
        <source>フレームレート</source>
        <translation>FPS</translation>
    </message>
</context>
<context>
    <name>Library</name>
    <message>
        <source>ライブラリから新規作成</source>
        <translation>New from Library</translation>
    </message>
    <message>
        <source>ライブラリのエフェクトが見つかりません。</source>
        <translation>No effects of the library were found.</translation>
    </message>
    <message>
        <source>エフェクト</source>
        <translation>Effects</translation>
    </message>
    <message>
        <source>開く</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>炎</source>
        <translation>Fire</translation>
    </message>
    <message>
        <source>煙</source>
        <translation>Smoke</translation>
    </message>
    <message>
        <source>火花</source>
        <translation>Sparks</translation>
    </message>
    <message>
        <source>爆発</source>
        <translation>Explosion</translation>
    </message>
    <message>
        <source>魔法陣</source>
        <translation>Magic circle</translation>
    </message>
    <message>
        <source>雨</source>
        <translation>Rain</translation>
    </message>
    <message>
        <source>雪</source>
        <translation>Snow</translation>
    </message>
    <message>
        <source>砂ぼこり</source>
        <translation>Dust</translation>
    </message>
    <message>
        <source>回復</source>
        <translation>Heal</translation>
    </message>
    <message>
        <source>稲妻</source>
        <translation>Lightning</translation>
    </message>
    <message>
        <source>ポータル</source>
        <translation>Portal</translation>
    </message>
    <message>
        <source>紙吹雪</source>
        <translation>Confetti</translation>
    </message>
</context>
<context>
    <name>Backdrop</name>
    <message>
        <source>背景の設定</source>
        <translation>Backdrop</translation>
    </message>
    <message>
        <source>背景色</source>
        <translation>Background colour</translation>
    </message>
    <message>
        <source>チェッカー</source>
        <translation>Checkerboard</translation>
    </message>
    <message>
        <source>画像</source>
        <translation>Picture</translation>
    </message>
    <message>
        <source>動画のフレーム</source>
        <translation>Video frame</translation>
    </message>
    <message>
        <source>表示</source>
        <translation>Show</translation>
    </message>
    <message>
        <source>ファイル</source>
        <translation>File</translation>
    </message>
    <message>
        <source>フレーム番号</source>
        <translation>Frame number</translation>
    </message>
    <message>
        <source>参照...</source>
        <translation>Browse...</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>背景の画像</source>
        <translation>Backdrop picture</translation>
    </message>
    <message>
        <source>背景の動画</source>
        <translation>Backdrop video</translation>
    </message>
    <message>
        <source>動画(*.mp4 *.mov *.webm *.mkv *.avi)</source>
        <translation>Videos (*.mp4 *.mov *.webm *.mkv *.avi)</translation>
    </message>
    <message>
        <source>画像(*.png *.jpg *.jpeg *.bmp *.webp)</source>
        <translation>Pictures (*.png *.jpg *.jpeg *.bmp *.webp)</translation>
    </message>
</context>
</TS>
