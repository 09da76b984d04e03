// SPDX-License-Identifier: MIT
#pragma once

#include "gamefile/filesearch.h"

#include <QObject>

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

class QThread;

// One search through a file on a thread of its own, so that the window
// never waits for the disk. What it finds reaches the window's thread in
// batches, at most every 50 ms, through the three callbacks; a newer
// search, cancel() or the object's end silences an older one.
class BackgroundSearch : public QObject {
    Q_OBJECT

public:
    explicit BackgroundSearch(QObject *parent = nullptr);
    ~BackgroundSearch() override;

    std::function<void(std::vector<gamefile::Hit> &&hits)> onHits;
    std::function<void(qint64 bytesDone)> onProgress;
    std::function<void(const gamefile::SearchEnd &end)> onEnd;

    // Stops a running search first (its end is not reported). The search
    // ends at `maxHits` hits.
    void start(const QString &path, const QByteArray &query, qint64 maxHits);
    // Asks the running search to stop; its end, `cancelled` set, follows
    // within one chunk's read.
    void cancel();
    bool isRunning() const { return m_running; }

private:
    void stopAndWait();

    std::unique_ptr<QThread> m_thread;
    std::shared_ptr<std::atomic_bool> m_cancel;
    unsigned m_generation = 0;
    bool m_running = false;
};
