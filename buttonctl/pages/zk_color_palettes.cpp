#include "zk_color_palettes.h"

namespace zk::pages {

QString customEntryName() {
    return QStringLiteral("<ユーザ設定...>");
}

const QList<PaletteEntry>& standardPalette() {
    static const QList<PaletteEntry> entries{
        {QStringLiteral("黄色"), 0x00FFFF},   {QStringLiteral("灰色"), 0xC0C0C0},
        {QStringLiteral("黒"), 0x000000},     {QStringLiteral("水色"), 0xFFFF00},
        {QStringLiteral("青"), 0xFF0000},     {QStringLiteral("赤"), 0x0000FF},
        {QStringLiteral("紫"), 0xFF00FF},     {QStringLiteral("濃いグレー"), 0x808080},
        {QStringLiteral("濃い黄"), 0x008080}, {QStringLiteral("濃い水色"), 0x808000},
        {QStringLiteral("濃い青"), 0x800000}, {QStringLiteral("濃い赤"), 0x000080},
        {QStringLiteral("濃い紫"), 0x800080}, {QStringLiteral("濃い緑"), 0x008000},
        {QStringLiteral("白"), 0xFFFFFF},     {QStringLiteral("緑"), 0x00FF00},
    };
    return entries;
}

const QList<PaletteEntry>& systemPalette() {
    static const QList<PaletteEntry> entries{
        {QStringLiteral("スクロールバー"), 0x80000000},
        {QStringLiteral("デスクトップ"), 0x80000001},
        {QStringLiteral("アクティブタイトルバー"), 0x80000002},
        {QStringLiteral("非アクティブタイトルバー"), 0x80000003},
        {QStringLiteral("メニューバー"), 0x80000004},
        {QStringLiteral("ウィンドウの背景"), 0x80000005},
        {QStringLiteral("ウィンドウ枠"), 0x80000006},
        {QStringLiteral("ウィンドウの文字"), 0x80000008},
        {QStringLiteral("メニューの文字"), 0x80000007},
        {QStringLiteral("アクティブタイトルバーの文字"), 0x80000009},
        {QStringLiteral("アクティブな境界線"), 0x8000000A},
        {QStringLiteral("非アクティブな境界線"), 0x8000000B},
        {QStringLiteral("アプリケーション作業域"), 0x8000000C},
        {QStringLiteral("強調表示"), 0x8000000D},
        {QStringLiteral("強調表示された文字"), 0x8000000E},
        {QStringLiteral("ボタンの影"), 0x80000010},
        {QStringLiteral("ボタンの表面"), 0x8000000F},
        {QStringLiteral("無効な文字"), 0x80000011},
        {QStringLiteral("ボタンの文字"), 0x80000012},
        {QStringLiteral("非アクティブタイトルバーの文字"), 0x80000013},
        {QStringLiteral("ボタンの強調表示"), 0x80000014},
        {QStringLiteral("ボタンの影(濃)"), 0x80000015},
        {QStringLiteral("ボタンの影(淡)"), 0x80000016},
        {QStringLiteral("ツールヒントの文字"), 0x80000017},
        {QStringLiteral("ツールヒント"), 0x80000018},
    };
    return entries;
}

unsigned colorDialogFlags(quint32 initialColor) {
    for (int shift : {0, 8, 16}) {
        const quint32 byte = (initialColor >> shift) & 0xFF;
        if (byte != 0 && byte != 192 && byte != 255)
            return 0x03;
    }
    return 0x81;
}

} // namespace zk::pages
