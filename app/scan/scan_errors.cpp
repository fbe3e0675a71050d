#include "scan_errors.h"

namespace folivo {

ScanFailure FailureFromStatus(SANE_Status status) {
    switch (status) {
    case SANE_STATUS_GOOD:
    case SANE_STATUS_EOF:
        return ScanFailure::None;
    case SANE_STATUS_CANCELLED:
        return ScanFailure::Cancelled;
    case SANE_STATUS_JAMMED:
        return ScanFailure::Jammed;
    case SANE_STATUS_COVER_OPEN:
        return ScanFailure::CoverOpen;
    case SANE_STATUS_NO_DOCS:
        return ScanFailure::NoDocuments;
    case SANE_STATUS_IO_ERROR:
        return ScanFailure::IoError;
    case SANE_STATUS_DEVICE_BUSY:
        return ScanFailure::DeviceBusy;
    case SANE_STATUS_NO_MEM:
        return ScanFailure::OutOfMemory;
    case SANE_STATUS_ACCESS_DENIED:
        return ScanFailure::AccessDenied;
    default:
        return ScanFailure::Failed;
    }
}

ScanErrorText ErrorTextFor(ScanFailure failure) {
    const QString title = QStringLiteral("スキャナーのエラー");
    const QString again = QStringLiteral("もう一度読み取ってください。");
    switch (failure) {
    case ScanFailure::Jammed:
        return {title, QStringLiteral("スキャナーに用紙が詰まりました。"),
                QStringLiteral("詰まった用紙を取り除いてから、") + again};
    case ScanFailure::CoverOpen:
        return {title, QStringLiteral("スキャナーのカバーが開いています。"),
                QStringLiteral("カバーを閉じてから、") + again};
    case ScanFailure::NoDocuments:
        return {title, QStringLiteral("原稿がセットされていません。"),
                QStringLiteral("原稿をセットしてから、") + again};
    case ScanFailure::IoError:
        return {title, QStringLiteral("スキャナーとの通信でエラーが発生しました。"),
                QStringLiteral("ケーブルと電源を確かめてから、") + again};
    case ScanFailure::DeviceBusy:
        return {title, QStringLiteral("スキャナーは他のプログラムが使用中です。"),
                QStringLiteral("他のプログラムの読み取りが終わってから、") + again};
    case ScanFailure::OutOfMemory:
        return {
            title, QStringLiteral("画像を読み取るためのメモリーが足りません。"),
            QStringLiteral("他のプログラムを終了するか、解像度か読み取り範囲を小さくしてから、") +
                again};
    case ScanFailure::AccessDenied:
        return {title, QStringLiteral("スキャナーを使用する権限がありません。"),
                QStringLiteral("スキャナーのアクセス権を確かめてから、") + again};
    case ScanFailure::OpenFailed:
        return {
            title, QStringLiteral("スキャナーを開けませんでした。"),
            QStringLiteral(
                "スキャナーの接続と電源を確かめ、[ソースの選択]で使うスキャナーを選んでから、") +
                again};
    case ScanFailure::BadData:
        return {title, QStringLiteral("スキャナーから画像として読めるデータが届きませんでした。"),
                QStringLiteral("読み取りの設定を確かめてから、") + again};
    case ScanFailure::Failed:
        return {title, QStringLiteral("スキャナーが読み取りに失敗しました。"),
                QStringLiteral("スキャナーの状態と設定を確かめてから、") + again};
    case ScanFailure::NotAnswering:
        return {title, QStringLiteral("スキャナーが応答しなくなったため、読み取りを中止しました。"),
                QStringLiteral("スキャナーの電源を入れ直し、接続を確かめてから、") + again +
                    QStringLiteral(
                        "それでも応答しないときは、Folivo を終了して起動し直してください。")};
    case ScanFailure::RestartNeeded:
        return {title, QStringLiteral("スキャナーが応答しないままのため、読み取りができません。"),
                QStringLiteral("Folivo を終了して起動し直してから、") + again};
    case ScanFailure::None:
    case ScanFailure::Cancelled:
        break;
    }
    return {};
}

} // namespace folivo
