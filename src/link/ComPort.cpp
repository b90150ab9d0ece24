// What both platforms share: when received data are announced.
#include "ComPort.h"

#include <QMetaObject>
#include <QScopeGuard>
#include <stdexcept>

void TComPort::SetPort(const QString &name)
{
    if (Connected())
        throw std::logic_error("the port name can only change while the port is closed");
    FPort = name;
}

void TComPort::OnReadyRead()
{
    if (FWriteDepth > 0 || FDelivering) {
        FPending = true;  // delivered when the event loop runs again
        return;
    }
    DeliverNow();
}

void TComPort::QueueDelivery()
{
    const quint64 generation = FGeneration;
    QMetaObject::invokeMethod(
        this,
        [this, generation] {
            if (generation == FGeneration)
                DeliverPending();
        },
        Qt::QueuedConnection);
}

void TComPort::DeliverPending()
{
    if (!FPending || FWriteDepth > 0 || FDelivering)
        return;
    FPending = false;
    DeliverNow();
}

void TComPort::DeliverNow()
{
    if (FSuspended || !Connected())
        return;
    const qint64 queued = QueuedCount();
    if (queued <= 0)
        return;
    {
        FDelivering = true;
        const auto done = qScopeGuard([this] { FDelivering = false; });
        emit RxChar(int(queued));
    }
    if (FPending)
        QueueDelivery();
}

void TComPort::ScheduleCloseAfterDeviceLoss()
{
    if (FDeviceLost)
        return;
    // Closed outside the system's own call, so that the next operation can open it again.
    FDeviceLost = true;
    const quint64 generation = FGeneration;
    QMetaObject::invokeMethod(
        this,
        [this, generation] {
            if (generation == FGeneration)
                CloseAfterDeviceLoss();
        },
        Qt::QueuedConnection);
}

void TComPort::CloseAfterDeviceLoss()
{
    try {
        Close();
    } catch (const EComPort &) {
        // The device is gone; there is nothing left to purge.
    }
}
