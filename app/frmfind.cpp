// SPDX-License-Identifier: MIT
#include "app/frmfind.h"
#include "ui_frmfind.h"

#include "app/backgroundsearch.h"
#include "app/droppedfile.h"
#include "app/hitrows.h"
#include "app/messages.h"
#include "app/messagetext.h"
#include "app/programicon.h"
#include "app/prompts.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QMimeData>
#include <QUrl>

#include <limits>

namespace {

// A hit costs about 100 bytes in the list: a million is as long as a list
// is useful, and a query found at every byte of a disc image stops there
// instead of taking all the memory.
constexpr qint64 maxHits = 1'000'000;

} // namespace

frmFind::frmFind(Prompts &prompts, convert::Cp936 &codec,
                 std::function<void(const ResultList &, QWidget *)> exportList)
    : ui(std::make_unique<Ui::frmFind>()), m_prompts(prompts), m_codec(codec),
      m_exportList(std::move(exportList)), m_search(std::make_unique<BackgroundSearch>())
{
    setWindowIcon(programIcon());
    ui->setupUi(this);
    // The form's four choices are two pairs.
    for (const auto &pair : {std::pair{ui->optText, ui->optCodes}, {ui->optPad00, ui->optPad20}}) {
        auto *group = new QButtonGroup(this);
        group->addButton(pair.first);
        group->addButton(pair.second);
    }
    for (QLineEdit *field : {ui->txtFile, ui->txtFind, ui->txtReplace}) {
        field->setMaxLength(std::numeric_limits<int>::max());
        // The fields see a dragged file as the window does, not as text.
        field->installEventFilter(this);
    }
    installEventFilter(this);
    auto rows = std::make_unique<HitRows>(m_codec);
    m_hits = rows.get();
    ui->lstHits->setRows(std::move(rows));

    connect(ui->cmdBrowse, &QPushButton::clicked, this, &frmFind::cmdBrowse_Click);
    connect(ui->cmdFind, &QPushButton::clicked, this, &frmFind::cmdFind_Click);
    connect(ui->txtFind, &QLineEdit::returnPressed, this, &frmFind::cmdFind_Click);
    connect(ui->txtFile, &QLineEdit::returnPressed, this, &frmFind::cmdFind_Click);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &frmFind::cmdCancel_Click);
    connect(ui->cmdReplaceSelected, &QPushButton::clicked, this,
            &frmFind::cmdReplaceSelected_Click);
    connect(ui->cmdReplaceAll, &QPushButton::clicked, this, &frmFind::cmdReplaceAll_Click);
    connect(ui->cmdUndo, &QPushButton::clicked, this, &frmFind::cmdUndo_Click);
    connect(ui->cmdExport, &QPushButton::clicked, this,
            [this] { m_exportList(*ui->lstHits, this); });
    connect(ui->cmdClose, &QPushButton::clicked, this, &QWidget::close);
    for (QLineEdit *field : {ui->txtFind, ui->txtReplace})
        connect(field, &QLineEdit::textChanged, this, &frmFind::updatePreview);
    for (QRadioButton *option : {ui->optText, ui->optCodes, ui->optPad00, ui->optPad20})
        connect(option, &QRadioButton::toggled, this, &frmFind::updatePreview);
    connect(ui->lstHits->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &frmFind::updatePreview);

    m_search->onHits = [this](std::vector<gamefile::Hit> &&hits) { addHits(std::move(hits)); };
    m_search->onProgress = [this](qint64 done) { showProgress(done); };
    m_search->onEnd = [this](const gamefile::SearchEnd &end) { searchEnded(end); };
    updateButtons();
}

frmFind::~frmFind() = default;

void frmFind::showWindow(const QString &saveFile)
{
    if (ui->txtFile->text().isEmpty())
        ui->txtFile->setText(saveFile);
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
    ui->txtFind->setFocus();
}

void frmFind::closeEvent(QCloseEvent *event)
{
    m_search->cancel();
    QWidget::closeEvent(event);
}

gamefile::QueryForm frmFind::form() const
{
    return ui->optCodes->isChecked() ? gamefile::QueryForm::Codes : gamefile::QueryForm::Text;
}

void frmFind::showError(const QString &text)
{
    m_prompts.message(this, messages::errorTitle.toString(), text);
}

void frmFind::cmdBrowse_Click()
{
    const QString path = m_prompts.openFileName(this, messages::findAllFilesFilter.toString());
    if (!path.isEmpty())
        ui->txtFile->setText(QDir::toNativeSeparators(path));
}

void frmFind::cmdFind_Click()
{
    const QString path = ui->txtFile->text();
    if (path.isEmpty()) {
        showError(messages::findNoFile.toString());
        return;
    }
    const gamefile::QueryBytes query = gamefile::queryBytes(m_codec, ui->txtFind->text(), form());
    if (query.refusal) {
        const QString typed = quotedInMessage(ui->txtFind->text());
        switch (*query.refusal) {
        case gamefile::QueryRefusal::Empty: showError(messages::findNothingTyped.toString()); break;
        case gamefile::QueryRefusal::Unencodable:
            showError(messages::findUnencodable.toString().arg(typed, namedInMessage(query.what)));
            break;
        case gamefile::QueryRefusal::NotACode:
            showError(messages::findNotACode.toString().arg(quotedInMessage(query.what)));
            break;
        }
        return;
    }

    ui->lstHits->setRows([this] {
        auto rows = std::make_unique<HitRows>(m_codec);
        m_hits = rows.get();
        return rows;
    }());
    m_searchedPath = path;
    m_searchedQuery = query.bytes;
    // For the progress only; the search itself checks the length it reads.
    m_searchedSize = QFileInfo(path).size();
    m_bytesDone = 0;
    m_search->start(path, query.bytes, maxHits);
    showProgress(0);
    updateButtons();
}

void frmFind::cmdCancel_Click()
{
    m_search->cancel();
}

void frmFind::addHits(std::vector<gamefile::Hit> &&hits)
{
    const qsizetype count = qsizetype(hits.size());
    ui->lstHits->appendRows(count, [&] { m_hits->append(std::move(hits)); });
}

namespace {

QString bytesText(qint64 bytes)
{
    return QLocale(QLocale::Chinese, QLocale::China).toString(bytes);
}

} // namespace

void frmFind::showProgress(qint64 bytesDone)
{
    m_bytesDone = bytesDone;
    const qint64 size = std::max<qint64>(m_searchedSize, 1);
    ui->progress->setValue(int(std::min<qint64>(1000, bytesDone * 1000 / size)));
    ui->lblStatus->setText(messages::findRunning.toString().arg(
        bytesText(bytesDone), bytesText(m_searchedSize), bytesText(m_hits->size())));
}

void frmFind::searchEnded(const gamefile::SearchEnd &end)
{
    m_searchedSize = end.size;
    const QString done = bytesText(m_bytesDone);
    const QString size = bytesText(end.size);
    const QString hits = bytesText(m_hits->size());
    if (end.cancelled) {
        ui->lblStatus->setText(messages::findCancelled.toString().arg(done, size, hits));
    } else if (end.error || end.reachedMaxHits) {
        ui->lblStatus->setText(messages::findStopped.toString().arg(done, size, hits));
    } else {
        ui->progress->setValue(1000);
        ui->lblStatus->setText(messages::findDone.toString().arg(size, hits));
    }
    updateButtons();
    if (end.reachedMaxHits)
        m_prompts.message(this, messages::noticeTitle.toString(),
                          messages::findTooManyHits.toString().arg(bytesText(maxHits)));
    if (!end.error)
        return;
    QStringView sentence;
    switch (end.error->step) {
    case gamefile::SearchStep::NotRegularFile: sentence = messages::findNotRegular; break;
    case gamefile::SearchStep::Open: sentence = messages::findOpenFailed; break;
    case gamefile::SearchStep::Read: sentence = messages::findReadFailed; break;
    case gamefile::SearchStep::Shrunk: sentence = messages::findShrunk; break;
    case gamefile::SearchStep::Grew: sentence = messages::findGrew; break;
    case gamefile::SearchStep::Vanished: sentence = messages::findVanished; break;
    }
    showError(fileFailureText(sentence, m_searchedPath, end.error->code));
}

void frmFind::updateButtons()
{
    const bool running = m_search->isRunning();
    ui->cmdCancel->setEnabled(running);
    ui->cmdFind->setEnabled(!running);
    // The list holds every hit only once the search has ended.
    const bool hits = !running && m_hits->size() > 0;
    ui->cmdReplaceSelected->setEnabled(hits);
    ui->cmdReplaceAll->setEnabled(hits);
    ui->cmdUndo->setEnabled(!running && !m_replacements.empty());
    updatePreview();
}

// A file dragged onto the window or one of its fields: as on the save-file
// page, only one local file, taken as a copy, checked once dropped.
bool frmFind::eventFilter(QObject *watched, QEvent *event)
{
    QDropEvent *drop = fileDrag(event);
    if (!drop)
        return QWidget::eventFilter(watched, event);
    if (draggedFile(*drop).isEmpty()) {
        drop->ignore();
        return true;
    }
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (event->type() == QEvent::Drop)
        dropFile(drop);
    return true;
}

void frmFind::dropFile(QDropEvent *event)
{
    // After the drop has ended: a message shown inside it would keep the
    // file manager waiting.
    const QUrl url = event->mimeData()->urls().constFirst();
    QMetaObject::invokeMethod(
        this,
        [this, url] {
            const QString refusal = refusalOfDroppedFile(url);
            if (refusal.isEmpty())
                ui->txtFile->setText(QDir::toNativeSeparators(url.toLocalFile()));
            else
                showError(refusal);
        },
        Qt::QueuedConnection);
}
