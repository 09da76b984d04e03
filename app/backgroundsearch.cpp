// SPDX-License-Identifier: MIT
#include "app/backgroundsearch.h"

#include <QElapsedTimer>
#include <QThread>

BackgroundSearch::BackgroundSearch(QObject *parent) : QObject(parent) {}

BackgroundSearch::~BackgroundSearch()
{
    stopAndWait();
}

void BackgroundSearch::stopAndWait()
{
    if (!m_thread)
        return;
    m_cancel->store(true);
    m_thread->wait();
    m_thread.reset();
    // What the old search still has queued is for another generation.
    ++m_generation;
    m_running = false;
}

void BackgroundSearch::cancel()
{
    if (m_cancel)
        m_cancel->store(true);
}

void BackgroundSearch::start(const QString &path, const QByteArray &query, qint64 maxHits)
{
    stopAndWait();
    m_cancel = std::make_shared<std::atomic_bool>(false);
    m_running = true;
    const unsigned generation = m_generation;
    // Runs on the window's thread: only the current search speaks.
    const auto post = [this, generation](auto deliver) {
        QMetaObject::invokeMethod(
            this,
            [this, generation, deliver = std::move(deliver)]() mutable {
                if (generation == m_generation)
                    deliver();
            },
            Qt::QueuedConnection);
    };

    m_thread.reset(QThread::create([this, path, query, maxHits, cancel = m_cancel, post] {
        std::vector<gamefile::Hit> pending;
        QElapsedTimer sincePost;
        sincePost.start();
        const auto flush = [&](qint64 done) {
            post([this, hits = std::move(pending), done]() mutable {
                if (!hits.empty() && onHits)
                    onHits(std::move(hits));
                if (onProgress)
                    onProgress(done);
            });
            pending = {};
            sincePost.restart();
        };
        qint64 bytesDone = 0;
        const gamefile::SearchEnd end = gamefile::searchFile(
            path, query,
            [&](qint64 done, std::vector<gamefile::Hit> &&hits) {
                bytesDone = done;
                pending.insert(pending.end(), std::make_move_iterator(hits.begin()),
                               std::make_move_iterator(hits.end()));
                if (sincePost.elapsed() >= 50)
                    flush(done);
            },
            *cancel, 1 << 20, maxHits);
        flush(bytesDone);
        post([this, end] {
            m_running = false;
            if (onEnd)
                onEnd(end);
        });
    }));
    m_thread->start();
}
