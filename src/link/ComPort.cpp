// What both platforms share: when received data are announced.
#include "ComPort.h"

#include <QMetaObject>
#include <QScopeGuard>
#include <stdexcept>

#include "PortDiagnosis.h"
#include "PortList.h"
#include "PortNames.h"
#include "SerialPortSource.h"

void TComPort::SetPort(const QString &name)
{
    if (Connected())
        throw std::logic_error("the port name can only change while the port is closed");
    FPort = name;
}

// Resets the delivery state and resolves the port name to a device; throws
// EComPortExt (Open, with the platform's error for a missing device) when the name
// names none.
QString TComPort::ResolveForOpen(int noSuchPortError)
{
    ++FGeneration;
    FPending = false;
    FSuspended = false;
    FDeviceLost = false;

    const QString device = PortNames::Resolve(FPort, FPortsFolder);
    if (device.isEmpty()) {
        TraceOpen(FPort);
        TSystemSerialPortSource ports;
        throw EComPortExt(TComOperation::Open, noSuchPortError, FPort,
                          PortDiagnosis::NoSuchPortAdvice(FPort, PortList::CurrentEntries(ports, FPortsFolder)));
    }
    return device;
}

// A notification already on its way is still delivered while the device is open.
// Returns whether the port is open afterwards: not when it was closed already, nor
// when the handler closed it.
bool TComPort::DeliverBeforeClose()
{
    if (!Connected())
        return false;
    if (!FDelivering && FWriteDepth == 0 && !FSuspended && !FDeviceLost) {
        if (FPending)
            DeliverPending();
        else
            DeliverUnannounced();
    }
    return Connected();
}

void TComPort::CheckWritable(int notOpenError) const
{
    if (!Connected())
        throw EComPortExt(TComOperation::Write, notOpenError, FPort);
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
