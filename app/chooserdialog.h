// SPDX-License-Identifier: MIT
#pragma once

#include <QFileDialog>

// Qt's own file chooser that refuses, with a message, a typed name that
// would not name the file it seems to (see typedfilename.h): the chooser
// stays open for another name.
class ChooserDialog : public QFileDialog {
    Q_OBJECT

public:
    using QFileDialog::QFileDialog;
    void accept() override;
};
