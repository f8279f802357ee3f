#include "FaceLibraryStore.h"

#include "FileDataCacheHelper.h"
#include "PlatformPictureStore.h"
#include "PlatformStore.h"
#include "SnapPathResolver.h"
#include "VornClient.h"

#include <QDateTime>
#include <QDebug>
#include <QFileInfo>
#include <QImage>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>

namespace {

const QString OwnPicturePrefix = QStringLiteral("library/persons/");

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
    qDebug().noquote() << "FaceLibraryStore" << text;
}

} // namespace

bool FaceLibraryStore::ensureTable()
{
    PlatformStore *store = PlatformStore::instance();
    QSqlDatabase db = store->database();
    if (!store->isOpen())
        return false;
    static quint64 s_nCheckedOpen = 0;
    if (s_nCheckedOpen == store->openCount() || store->isReadOnly())
        return true;
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS face_library ("
                                   " archive_id INTEGER PRIMARY KEY,"
                                   " name TEXT NOT NULL,"
                                   " group_id INTEGER NOT NULL,"
                                   " gender INTEGER NOT NULL,"
                                   " image_url TEXT NOT NULL,"
                                   " added INTEGER NOT NULL,"
                                   " updated_at INTEGER NOT NULL)"))) {
        qDebug().noquote() << "FaceLibraryStore::ensureTable" << query.lastError().text();
        return false;
    }
    s_nCheckedOpen = store->openCount();
    return true;
}

QString FaceLibraryStore::storePicture(int archiveId, const QString &localPicture, QString *error)
{
    // The url comes from a screen: only pictures the host itself downloaded are taken, and
    // only what the guarded decoder accepts is stored (re-encoded, never copied as bytes).
    const QString cache = SnapPathResolver::cacheFolder();
    const QString path = QFileInfo(localPicture).absoluteFilePath();
    if (localPicture.isEmpty() || !SnapPathResolver::isInside(cache, path)) {
        setError(error, QStringLiteral("picture outside the cache folder refused"));
        return QString();
    }
    QImage image;
    if (!FileDataCacheHelper::tryLoadImageData(path, image) || image.isNull()) {
        setError(error, QStringLiteral("not a picture, refused"));
        return QString();
    }
    const QString name =
            OwnPicturePrefix
            + QStringLiteral("%1-%2.jpg").arg(archiveId).arg(QDateTime::currentMSecsSinceEpoch());
    const QString stored = PlatformPictureStore::store(name, image);
    if (stored.isEmpty())
        setError(error, QStringLiteral("the picture store refused the picture"));
    return stored;
}

bool FaceLibraryStore::writeRow(const OrvaneArchive &archive, bool added, QString *error)
{
    if (!ensureTable() || PlatformStore::instance()->isReadOnly()) {
        setError(error, QStringLiteral("the platform store is not available"));
        return false;
    }
    QSqlQuery query(PlatformStore::instance()->database());
    // An update of a person added by the operator keeps it an addition.
    query.prepare(QStringLiteral(
            "INSERT INTO face_library (archive_id, name, group_id, gender, image_url, added,"
            " updated_at) VALUES (?, ?, ?, ?, ?, ?, ?) ON CONFLICT(archive_id) DO UPDATE SET"
            " image_url = excluded.image_url, updated_at = excluded.updated_at"));
    query.addBindValue(archive.get_id());
    query.addBindValue(archive.get_name());
    query.addBindValue(archive.get_group_id());
    query.addBindValue(archive.get_gender());
    query.addBindValue(archive.get_image_url());
    query.addBindValue(added ? 1 : 0);
    query.addBindValue(QDateTime::currentSecsSinceEpoch());
    if (!query.exec()) {
        setError(error, QStringLiteral("not stored: ") + query.lastError().text());
        return false;
    }
    return true;
}

bool FaceLibraryStore::addPerson(const QString &name, int groupId, const QString &localPicture,
                                 OrvaneArchive *archive, QString *error)
{
    VornClient *client = VornClient::instance();
    if (name.trimmed().isEmpty()) {
        setError(error, QStringLiteral("a person needs a name"));
        return false;
    }
    const std::vector<OrvanePersonGroup> groups = client->getPersonGroups();
    if (std::none_of(groups.cbegin(), groups.cend(),
                     [groupId](const OrvanePersonGroup &g) { return g.get_id() == groupId; })) {
        setError(error, QStringLiteral("unknown person group %1").arg(groupId));
        return false;
    }
    if (!ensureTable()) {
        setError(error, QStringLiteral("the platform store is not available"));
        return false;
    }
    QSqlQuery count(PlatformStore::instance()->database());
    if (!count.exec(QStringLiteral("SELECT COUNT(*), MAX(archive_id) FROM face_library"
                                   " WHERE added = 1"))
        || !count.next()) {
        setError(error, QStringLiteral("the platform store is not readable"));
        return false;
    }
    if (count.value(0).toInt() >= MaxAddedPersons) {
        setError(error, QStringLiteral("the face library is full"));
        return false;
    }
    int id = count.value(1).isNull() ? 0 : count.value(1).toInt();
    for (const OrvaneArchive &known : client->getArchives())
        id = std::max(id, known.get_id());
    ++id;

    const QString picture = storePicture(id, localPicture, error);
    if (picture.isEmpty())
        return false;
    OrvaneArchive person;
    person.set_id(id);
    person.set_name(name.trimmed());
    person.set_group_id(groupId);
    person.set_image_url(picture);
    if (!writeRow(person, true, error)) {
        PlatformPictureStore::remove(picture);
        return false;
    }
    client->applyArchive(person);
    if (archive)
        *archive = person;
    return true;
}

bool FaceLibraryStore::updatePerson(int archiveId, const QString &localPicture, QString *error)
{
    VornClient *client = VornClient::instance();
    const std::vector<OrvaneArchive> archives = client->getArchives();
    const auto found =
            std::find_if(archives.cbegin(), archives.cend(),
                         [archiveId](const OrvaneArchive &a) { return a.get_id() == archiveId; });
    if (found == archives.cend()) {
        setError(error, QStringLiteral("unknown person %1").arg(archiveId));
        return false;
    }
    const QString picture = storePicture(archiveId, localPicture, error);
    if (picture.isEmpty())
        return false;
    OrvaneArchive person = *found;
    const QString previous = person.get_image_url();
    person.set_image_url(picture);
    if (!writeRow(person, false, error)) {
        PlatformPictureStore::remove(picture);
        return false;
    }
    client->applyArchive(person);
    if (previous.startsWith(OwnPicturePrefix))
        PlatformPictureStore::remove(previous);
    return true;
}

void FaceLibraryStore::applyTo(std::vector<OrvaneArchive> &archives,
                               const std::vector<OrvanePersonGroup> &groups)
{
    if (!ensureTable())
        return;
    QSqlQuery query(PlatformStore::instance()->database());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT archive_id, name, group_id, gender, image_url, added"
                                   " FROM face_library ORDER BY archive_id"))) {
        qDebug().noquote() << "FaceLibraryStore::applyTo" << query.lastError().text();
        return;
    }
    while (query.next()) {
        const int id = query.value(0).toInt();
        auto known = std::find_if(archives.begin(), archives.end(),
                                  [id](const OrvaneArchive &a) { return a.get_id() == id; });
        if (known != archives.end()) {
            known->set_image_url(query.value(4).toString());
            continue;
        }
        const int groupId = query.value(2).toInt();
        if (query.value(5).toInt() == 0
            || std::none_of(groups.cbegin(), groups.cend(), [groupId](const OrvanePersonGroup &g) {
                   return g.get_id() == groupId;
               }))
            continue;
        OrvaneArchive person;
        person.set_id(id);
        person.set_name(query.value(1).toString());
        person.set_group_id(groupId);
        person.set_gender(query.value(3).toInt());
        person.set_image_url(query.value(4).toString());
        archives.push_back(person);
    }
}
