#pragma once
// Where a save dialog of a format opens, and the name it offers there.
//
// Contract:
// - Each format remembers the folder of its last save by hand in its settings section,
//   key "SaveFolder" ("BMP", "JPEG" or "PDF"). An absent value, or one that names no
//   existing folder (moved, deleted, cut short), means the working folder.
// - The offered name is the first free numbered name there, the same sequence the
//   automatic save uses (BMP00001.BMP, JPEG00001.jpg, PDF00001.PDF), so saves by hand
//   and automatic ones never take each other's numbers. When every number is taken no
//   name is offered.
#include "numbered_names.h"

#include <QString>
#include <optional>

namespace folivo {

using SaveNaming = NumberedSeries;

// The naming of the format whose dialog has this default extension ("*.bmp", "*.jpg",
// "*.pdf"); std::nullopt for any other.
std::optional<SaveNaming> NamingForExtension(const QString& defaultExtension);

struct SaveStart {
    QString folder;
    QString fileName; // empty when every number is taken
};

SaveStart SaveStartFor(const SaveNaming& naming);
// Remembers the folder of a file just chosen in the dialog.
void RememberSaveFolder(const SaveNaming& naming, const QString& chosenPath);

} // namespace folivo
