#include "ScreenedChannels.h"

#include "FeverValues.h"

#include "VornClient.h"

#include <vector>

namespace ScreenedChannels {

QStringList collectChannelUIDs(IntelligentSnapConfigParam &p_objSnapSource)
{
    QStringList channelUIDs;
    if (!p_objSnapSource.bAllChannel) {
        channelUIDs = p_objSnapSource.strChannelUIDList;
    } else {
        p_objSnapSource.strChannelUIDList.clear();
        VornClient *client = VornClient::instance();
        const OrvaneDeviceList devices = client->filtDeviceByShowType(
                client->getCurUserDevices(), FeverValues::DeviceShowTempScreening);
        for (const OrvaneDevice &device : devices) {
            std::vector<OrvaneChannel> channels;
            client->getChannelsByDeviceId(device.get_id(), channels);
            const bool recorder = client->isNVROrDVRDevice(device.get_device_type_id());
            for (const OrvaneChannel &channel : channels) {
                const bool thermal =
                        recorder ? client->isThermoDetectorDevice(channel.get_channel_type_id())
                                 : client->isThermoDetectorDevice(device.get_device_type_id());
                if (!thermal)
                    continue;
                p_objSnapSource.strChannelUIDList.append(channel.get_channel_uid());
                channelUIDs.append(channel.get_channel_uid());
            }
        }
    }
    p_objSnapSource.nChannelCount = p_objSnapSource.strChannelUIDList.size();
    return channelUIDs;
}

} // namespace ScreenedChannels
