// SPDX-License-Identifier: MIT
#pragma once

// Linux only: small real file systems for the tests that fill a disk,
// mounted by root (tst_export_linux, tst_gamefile_linux).

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QString>
#include <QStringList>

#include <sched.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

// Writes a file "filler" on the disk at `path` until `free()` says
// `leave` bytes or fewer are left.
template <typename Free>
bool fillDisk(const QString &path, qint64 leave, Free free)
{
    QFile filler(path + QStringLiteral("/filler"));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    const QByteArray block(1024, 'f');
    while (free() > leave) {
        if (filler.write(block) != block.size())
            break;
    }
    return true;
}

// A small tmpfs (64 KiB unless told), unmounted whatever happens; only
// root may mount one.
struct SmallDisk {
    QString path;
    bool mounted = false;
    explicit SmallDisk(const QString &where, const char *options = "size=64k") : path(where)
    {
        mounted =
            QDir().mkpath(path)
            && ::mount("tmpfs", QFile::encodeName(path).constData(), "tmpfs", 0, options) == 0;
    }
    ~SmallDisk()
    {
        if (mounted)
            ::umount2(QFile::encodeName(path).constData(), MNT_DETACH);
    }
    // Fills the disk until `leave` bytes or fewer are free.
    bool fill(qint64 leave) const
    {
        return fillDisk(path, leave, [&] { return QStorageInfo(path).bytesAvailable(); });
    }
};

// Free bytes of the file system holding `path`, as root may use them.
inline qint64 freeBytes(const QString &path)
{
    struct statvfs info {};
    if (::statvfs(QFile::encodeName(path).constData(), &info) != 0)
        return -1;
    return qint64(info.f_bfree) * qint64(info.f_frsize);
}

// A small ext4 or ext2 file system in a loop file, mounted at `path` and
// detached whatever happens: the mount lives in this process's own mount
// namespace, so it goes with the process even if the test crashes, and
// the loop device is set to free itself once unmounted. `reason` says why
// there is none (only root may mount; mkfs or loop devices may be missing).
struct LoopDisk {
    QString path;
    QString reason;
    bool mounted = false;

    LoopDisk(const QString &folder, const QString &type) : path(folder + QStringLiteral("/disk"))
    {
        if (::geteuid() != 0) {
            reason = QStringLiteral("only root may mount a loop file system");
            return;
        }
        const QString mkfs = QStandardPaths::findExecutable(QStringLiteral("mkfs.") + type,
                                                            {"/usr/sbin", "/sbin", "/usr/bin"});
        const QString mount =
            QStandardPaths::findExecutable(QStringLiteral("mount"), {"/usr/bin", "/bin"});
        if (mkfs.isEmpty() || mount.isEmpty()) {
            reason = QStringLiteral("mkfs.%1 or mount is missing (e2fsprogs, mount)").arg(type);
            return;
        }
        static const bool ownNamespace =
            ::unshare(CLONE_NEWNS) == 0
            && ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
        Q_UNUSED(ownNamespace);
        const QString image = folder + QStringLiteral("/disk.img");
        QFile file(image);
        if (!file.open(QIODevice::WriteOnly) || !file.resize(8 << 20) || !QDir().mkpath(path)) {
            reason = QStringLiteral("cannot make the image file");
            return;
        }
        file.close();
        const auto run = [&](const QString &program, const QStringList &arguments) {
            QProcess process;
            process.setProcessChannelMode(QProcess::MergedChannels);
            process.start(program, arguments);
            const bool ran = process.waitForFinished(60000) && process.exitStatus() == 0
                             && process.exitCode() == 0;
            if (!ran)
                reason = program + QStringLiteral(" failed: ")
                         + QString::fromLocal8Bit(process.readAll()).trimmed();
            return ran;
        };
        // No blocks kept back for root: full means full.
        if (!run(mkfs, {"-q", "-F", "-m", "0", image}))
            return;
        mounted = run(mount, {"-t", type, "-o", "loop", image, path});
        if (!mounted)
            reason.prepend(QStringLiteral("no loop device could be used: "));
    }
    ~LoopDisk()
    {
        if (mounted)
            ::umount2(QFile::encodeName(path).constData(), MNT_DETACH);
    }
    // Fills the disk until `leave` bytes or fewer are free (root's too).
    bool fill(qint64 leave) const
    {
        return fillDisk(path, leave, [&] { return freeBytes(path); });
    }
};
