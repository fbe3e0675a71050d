#pragma once
// ppgPicture: the picture page ("ピクチャ") of zkButton. The user picks one of the five
// picture properties, sees it in a preview at one of four zoom settings, loads a file
// (through zkOpenFileDialog) or clears it, and applies. An entry is read from the first
// selected button only when it is first looked at after a selection change; only entries
// looked at or changed are written back, as the same picture object to every button.
//
// Children carry their published names: lstPicture, picPreview, imgPreview, cboZoom,
// cmdRef, cmdClear.
#include "zk_picture.h"
#include "zk_preview_geometry.h"
#include "zk_property_page.h"

#include <array>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

class ppgPicture : public zkPropertyPage {
    Q_OBJECT

public:
    static constexpr int kEntries = 5;
    // Property names by list index.
    static const std::array<const char*, kEntries>& propertyNames();
    // The open-file dialog's filter list.
    static const QList<zkFileFilter>& fileFilters();

    explicit ppgPicture(zkPageServices services = {}, QWidget* parent = nullptr);

    QString title() const override;
    zkHostError selectionChanged(const QList<QObject*>& objects) override;
    zkHostError applyChanges() override;
    QString propertyOf(const QWidget* editor) const override;

    // "0": not read since the selection changed; "": holds the value to apply.
    QString mark(int entry) const { return m_marks.at(size_t(entry)); }
    zkPictureRef workingPicture(int entry) const { return m_pictures.at(size_t(entry)); }
    // The failure of the last read of an entry (reading happens on a click).
    zkHostError lastError() const { return m_lastError; }

private:
    void build();
    void chooseEntry(int entry);
    void showPreview(int entry);
    void browse();
    void clear();
    void setWorkingPicture(int entry, const zkPictureRef& picture);

    std::array<zkPictureRef, kEntries> m_pictures;
    std::array<QString, kEntries> m_marks;
    zkPictureRef m_temp; // the picture being shown or loaded, at its natural size
    zkHostError m_lastError;
    QListWidget* m_list = nullptr;
    QWidget* m_area = nullptr;
    QLabel* m_preview = nullptr;
    QComboBox* m_zoom = nullptr;
    QPushButton* m_browse = nullptr;
    QPushButton* m_clear = nullptr;
};
