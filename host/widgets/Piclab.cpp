#include "Piclab.h"

#include "AppLanguageTr.h"
#include "FileDataCacheHelper.h"
#include "ImageProcessHelper.h"

#include <QContextMenuEvent>
#include <QImage>
#include <QMenu>
#include <QPixmap>

namespace {

// Blocks of a thirty-second of the picture's height, as the snapshot cards use.
int mosaicBlockSize(const QImage &image)
{
    return image.height() / 32;
}

} // namespace

Piclab::Piclab(QWidget *parent)
    : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
}

Piclab::~Piclab() = default;

void Piclab::setType(int p_nType)
{
    m_nType = p_nType;
}

void Piclab::setOpenSearch(bool p_bOpen)
{
    m_bOpenSearch = p_bOpen;
}

void Piclab::setPicScaledContents(bool p_bScaled)
{
    setScaledContents(p_bScaled);
    // A scaled picture takes the room it is given instead of asking for its own size.
    const QSizePolicy::Policy policy = p_bScaled ? QSizePolicy::Ignored : QSizePolicy::Preferred;
    setSizePolicy(policy, policy);
}

bool Piclab::setPicurl(const QString &p_strUrl, bool p_bMosaic)
{
    m_strPicUrl = p_strUrl;
    QImage image;
    if (p_strUrl.isEmpty() || !FileDataCacheHelper::tryLoadImageData(p_strUrl, image)) {
        clear();
        return false;
    }
    if (p_bMosaic)
        image = ImageProcessHelper::tryFullImageMosaic(image, mosaicBlockSize(image));
    setPixmap(QPixmap::fromImage(image));
    return true;
}

void Piclab::slotDeletePic()
{
    m_strPicUrl.clear();
    clear();
    emit signalDelete();
}

void Piclab::contextMenuEvent(QContextMenuEvent *event)
{
    if (m_nType != 7 || m_strPicUrl.isEmpty()) {
        QLabel::contextMenuEvent(event);
        return;
    }
    QMenu menu(this);
    menu.addAction(AppLanguageTr::translate(QStringLiteral("TK_Delete")), this,
                   &Piclab::slotDeletePic);
    menu.exec(event->globalPos());
}
