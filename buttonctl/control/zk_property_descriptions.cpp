#include "zk_property_descriptions.h"

#include <array>

namespace zk {

namespace {
constexpr std::array<PropertyDescription, 31> kDescriptions{{
    {"Appearance", "表示スタイルを設定します。値の取得も可能です。"},
    {"BackColor", "背景色を指定します。値の取得も可能です。"},
    {"Cancel", "デフォルトの[キャンセル]ボタンに指定します。値の取得も可能です。"},
    {"Caption", "キャプション文字列を指定します。値の取得も可能です。"},
    {"CaptionAlign", "キャプション文字列の表示位置を指定します。値の取得も可能です。"},
    {"Default", "デフォルトのボタンに指定します。値の取得も可能です。"},
    {"DisablePicture", "ボタンが無効時のピクチャを指定します。値の取得も可能です。"},
    {"DownPicture", "ボタンが押下時のピクチャを指定します。値の取得も可能です。"},
    {"Enabled", "ボタンを有効／無効を指定します。値の取得も可能です。"},
    {"Font", "表示用のフォントを指定します。値の取得も可能です。"},
    {"FocusRectMargin",
     "フォーカスを持っている時に表示する枠のマージン幅を指定します。値の取得も可能です。"},
    {"ForeColor", "キャプション文字列の表示色を指定します。値の取得も可能です。"},
    {"FillColor", "描画時の塗りつぶし色を指定します。値の取得も可能です。"},
    {"MaskColor", "ピクチャの表示時に透明色として使用する色を指定します。値の取得も可能です。"},
    {"MouseIcon", "ユーザ独自のマウスアイコンを指定します。値の取得も可能です。"},
    {"MousePointer", "マウスポインタの種類を指定します。値の取得も可能です。"},
    {"OLEDropMode",
     "コントロールがOLEドロップターゲットとして動作するかどうかを指定します。値の取得も可能です。"},
    {"Picture", "ボタンに表示するピクチャを指定します。値の取得も可能です。"},
    {"PictureAlign", "ボタンに表示するピクチャの表示位置を指定します。値の取得も可能です。"},
    {"SelectPicture",
     "ボタン上にマウスカーソルがある場合に表示されるピクチャを指定します。値の取得も可能です。"},
    {"ShowFocusRect", "フォーカスを受け取った時に、それを示す枠を表示するかどうかを指定します。値の"
                      "取得も可能です。"},
    {"Style", "ボタンの動作スタイルを指定します。値の取得も可能です。"},
    {"UseMaskColor",
     "MaskColorを使用してピクチャに透明色を適用するかどうかを指定します。値の取得も可能です。"},
    {"Value", "ボタンの状態を指定します。値の取得も可能です。"},
    {"OwnerDraw",
     "コントロールの概観をプログラム側で描画するかどうかを指定します。値の取得も可能です。"},
    {"DrawMode", "描画時のスタイルを指定します。値の取得も可能です。"},
    {"DrawStyle", "描画時の線の種類を指定します。値の取得も可能です。"},
    {"DrawWidth", "描画時の線の太さを指定します。値の取得も可能です。"},
    {"FillStyle", "描画時の塗りつぶしスタイルを指定します。値の取得も可能です。"},
    {"ScaleMode",
     "コントロールに描画する時などに使用する座標系の単位を指定します。値の取得も可能です。"},
    {"Name", "コントロールの名前を指定します。値の取得も可能です。"},
}};
} // namespace

std::span<const PropertyDescription> propertyDescriptions() {
    return kDescriptions;
}

QString propertyDescription(QStringView property) {
    for (const PropertyDescription& d : kDescriptions) {
        if (property == QLatin1String(d.property))
            return QString::fromUtf8(d.text);
    }
    return {};
}

} // namespace zk
