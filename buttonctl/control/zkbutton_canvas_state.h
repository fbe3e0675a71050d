#pragma once
// What zkButton draws on: the off-screen buffer the face is composed in, the visible
// surface shown by paintEvent, and the bookkeeping of when the surface is presented.
#include <QFont>
#include <QImage>
#include <QPoint>

struct zkButtonCanvasState {
    QImage buffer;
    QImage surface;
    QPoint currentPoint; // where a drawing call with missing coordinates continues
    QFont bufferFont;    // the buffer's current font (TextWidth/TextHeight measure with it)
    bool redrawGuard = false;
    bool inPaint = false;
    bool platformPaintDue = false;
    bool selfUpdatePending = false;
    int copyCount = 0; // buffer-to-surface copies so far
};
