<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>AppLanguageTr</name>
    <message>
        <source>TK_AbnormalStatus</source>
        <translation>Abnormal</translation>
    </message>
    <message>
        <source>TK_AbnormalTemp</source>
        <translation>Abnormal temperature only</translation>
    </message>
    <message>
        <source>TK_AbnormalTempSpeech</source>
        <translation>Abnormal temperature</translation>
    </message>
    <message>
        <source>TK_AbnormalTemperature</source>
        <translation>Abnormal temperature</translation>
    </message>
    <message>
        <source>TK_AccessDenied</source>
        <translation>No entry</translation>
    </message>
    <message>
        <source>TK_AccessGranted</source>
        <translation>Please pass</translation>
    </message>
    <message>
        <source>TK_Add</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>TK_AddToLib</source>
        <translation>Add to face library</translation>
    </message>
    <message>
        <source>TK_AddVoiceStrategyMax</source>
        <translation>At most five registry strategies can be added</translation>
    </message>
    <message>
        <source>TK_AlarmAlreadyHandled</source>
        <translation>This alarm has already been handled</translation>
    </message>
    <message>
        <source>TK_AlarmHandling</source>
        <translation>Alarm handling</translation>
    </message>
    <message>
        <source>TK_AllChannels</source>
        <translation>All channels</translation>
    </message>
    <message>
        <source>TK_AllTempSpeech</source>
        <translation>All temperatures</translation>
    </message>
    <message>
        <source>TK_AllTemperature</source>
        <translation>All temperatures</translation>
    </message>
    <message>
        <source>TK_And</source>
        <translation>point</translation>
    </message>
    <message>
        <source>TK_Apply</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>TK_AreaManualClearZero</source>
        <translation>Reset to zero</translation>
    </message>
    <message>
        <source>TK_AutoFullScreen</source>
        <translation>Automatic full screen</translation>
    </message>
    <message>
        <source>TK_Big</source>
        <translation>Large</translation>
    </message>
    <message>
        <source>TK_BodyTemperature</source>
        <translation>Body temperature</translation>
    </message>
    <message>
        <source>TK_BracketsLeft</source>
        <translation>(</translation>
    </message>
    <message>
        <source>TK_BracketsRight</source>
        <translation>)</translation>
    </message>
    <message>
        <source>TK_BroadcastContent</source>
        <translation>Announcement</translation>
    </message>
    <message>
        <source>TK_BroadcastTime</source>
        <translation>Announcement time</translation>
    </message>
    <message>
        <source>TK_Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>TK_CardSize</source>
        <translation>Card size</translation>
    </message>
    <message>
        <source>TK_ConnectIAUFaile!</source>
        <translation>Cannot connect to the picture server </translation>
    </message>
    <message>
        <source>TK_Custom</source>
        <translation>Custom</translation>
    </message>
    <message>
        <source>TK_DataStatistics</source>
        <translation>Statistics</translation>
    </message>
    <message>
        <source>TK_DefalutImage</source>
        <translation>Default picture</translation>
    </message>
    <message>
        <source>TK_Default</source>
        <translation>Default</translation>
    </message>
    <message>
        <source>TK_DefaultMode</source>
        <translation>Default mode</translation>
    </message>
    <message>
        <source>TK_DefenceTime</source>
        <translation>Announcement schedule</translation>
    </message>
    <message>
        <source>TK_Degrees</source>
        <translation>degrees Celsius</translation>
    </message>
    <message>
        <source>TK_DegreesFahrenheit</source>
        <translation>degrees Fahrenheit</translation>
    </message>
    <message>
        <source>TK_Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>TK_DeleteFailed</source>
        <translation>Delete failed: </translation>
    </message>
    <message>
        <source>TK_DeviceFilterSetGuideTips</source>
        <translation>Choose here which devices' snapshots are shown</translation>
    </message>
    <message>
        <source>TK_DeviceList</source>
        <translation>Devices</translation>
    </message>
    <message>
        <source>TK_DeviceName</source>
        <translation>Device</translation>
    </message>
    <message>
        <source>TK_DiskFull</source>
        <translation>The disk is full: snapshot pictures are not saved</translation>
    </message>
    <message>
        <source>TK_DiskSpaceRecovered</source>
        <translation>Disk space is available again: snapshot pictures are saved</translation>
    </message>
    <message>
        <source>TK_DisplaySet</source>
        <translation>Display</translation>
    </message>
    <message>
        <source>TK_DownloadFailed</source>
        <translation>Download failed</translation>
    </message>
    <message>
        <source>TK_EndTime</source>
        <translation>End</translation>
    </message>
    <message>
        <source>TK_FaceLib</source>
        <translation>Face library</translation>
    </message>
    <message>
        <source>TK_Filter</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>TK_Friday</source>
        <translation>Friday</translation>
    </message>
    <message>
        <source>TK_FullSrceenCard</source>
        <translation>Full-screen card</translation>
    </message>
    <message>
        <source>TK_FullSrceenListCard</source>
        <translation>Full-screen list of cards</translation>
    </message>
    <message>
        <source>TK_GetFailed</source>
        <translation>Query failed: </translation>
    </message>
    <message>
        <source>TK_GisMapDataType</source>
        <translation>Data source</translation>
    </message>
    <message>
        <source>TK_HandleFalseAlarm</source>
        <translation>False alarm</translation>
    </message>
    <message>
        <source>TK_HandleFeverRetest</source>
        <translation>Confirmed fever, sent for retest</translation>
    </message>
    <message>
        <source>TK_HandleNote</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>TK_HandleOther</source>
        <translation>Other</translation>
    </message>
    <message>
        <source>TK_HandleResult</source>
        <translation>Handling</translation>
    </message>
    <message>
        <source>TK_Healthy</source>
        <translation>Healthy</translation>
    </message>
    <message>
        <source>TK_HealthyEntered</source>
        <translation>Normal temperature, entered</translation>
    </message>
    <message>
        <source>TK_HealthyTemp</source>
        <translation>Normal temperature</translation>
    </message>
    <message>
        <source>TK_Hello</source>
        <translation>Hello</translation>
    </message>
    <message>
        <source>TK_ImageDisplayMode</source>
        <translation>Picture display</translation>
    </message>
    <message>
        <source>TK_Mask</source>
        <translation>Mask</translation>
    </message>
    <message>
        <source>TK_MeasureTempRecord</source>
        <translation>Temperature records</translation>
    </message>
    <message>
        <source>TK_Mid</source>
        <translation>Medium</translation>
    </message>
    <message>
        <source>TK_Monday</source>
        <translation>Monday</translation>
    </message>
    <message>
        <source>TK_MosaicHandle</source>
        <translation>Mosaic</translation>
    </message>
    <message>
        <source>TK_Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>TK_NameRequired</source>
        <translation>Please enter a name</translation>
    </message>
    <message>
        <source>TK_NoHandle</source>
        <translation>Unchanged</translation>
    </message>
    <message>
        <source>TK_NoMask</source>
        <translation>No mask</translation>
    </message>
    <message>
        <source>TK_NoRecords</source>
        <translation>No records</translation>
    </message>
    <message>
        <source>TK_NoShowBodyTemperature</source>
        <translation>Hide body temperature</translation>
    </message>
    <message>
        <source>TK_Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>TK_NormalTempAutoClear</source>
        <translation>Clear normal temperatures after (s)</translation>
    </message>
    <message>
        <source>TK_NormalTempSpeech</source>
        <translation>Normal temperature</translation>
    </message>
    <message>
        <source>TK_NormalTemperature</source>
        <translation>Normal temperature</translation>
    </message>
    <message>
        <source>TK_NotSupport</source>
        <translation>Not supported</translation>
    </message>
    <message>
        <source>TK_OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>TK_OpenAlarmRecord</source>
        <translation>Alarm record</translation>
    </message>
    <message>
        <source>TK_OpenFile</source>
        <translation>Open file</translation>
    </message>
    <message>
        <source>TK_OverTemp</source>
        <translation>Over-temperature</translation>
    </message>
    <message>
        <source>TK_OverTempAutoClear</source>
        <translation>Clear over-temperatures after (s)</translation>
    </message>
    <message>
        <source>TK_OverTempDeviceNameShow</source>
        <translation>Device name on over-temperature cards</translation>
    </message>
    <message>
        <source>TK_OverTempSnap</source>
        <translation>Over-temperature snapshots</translation>
    </message>
    <message>
        <source>TK_OverTempSpeech</source>
        <translation>Over-temperature only</translation>
    </message>
    <message>
        <source>TK_OverTemperature</source>
        <translation>Over-temperature</translation>
    </message>
    <message>
        <source>TK_OverTemperatureDataStatistic</source>
        <translation>Over-temperature statistics</translation>
    </message>
    <message>
        <source>TK_OvertemperatureSnap</source>
        <translation>Over-temperature snapshots</translation>
    </message>
    <message>
        <source>TK_PageTotalSize</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>TK_Password</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>TK_PasswordAgainAuth</source>
        <translation>Enter your password again</translation>
    </message>
    <message>
        <source>TK_PasswordLockedOut</source>
        <translation>Too many wrong passwords. Try again in %1 s.</translation>
    </message>
    <message>
        <source>TK_PasswordNotSet</source>
        <translation>No password is set for this user.</translation>
    </message>
    <message>
        <source>TK_PasswordWrong</source>
        <translation>Wrong password.</translation>
    </message>
    <message>
        <source>TK_Person</source>
        <translation>Person</translation>
    </message>
    <message>
        <source>TK_PersonGroup</source>
        <translation>Person group</translation>
    </message>
    <message>
        <source>TK_PictureMissing</source>
        <translation>Downloaded snapshot pictures cannot be read</translation>
    </message>
    <message>
        <source>TK_PictureMissingRecovered</source>
        <translation>Snapshot pictures are shown again</translation>
    </message>
    <message>
        <source>TK_PictureNotImage</source>
        <translation>The file is not a PNG, JPEG or BMP picture.</translation>
    </message>
    <message>
        <source>TK_PictureTooLarge</source>
        <translation>The picture is too large (at most 5 MB and 4096 x 4096 pixels).</translation>
    </message>
    <message>
        <source>TK_PictureTransferFailed</source>
        <translation>Snapshot pictures cannot be downloaded</translation>
    </message>
    <message>
        <source>TK_PictureTransferRecovered</source>
        <translation>Snapshot pictures are downloaded again</translation>
    </message>
    <message>
        <source>TK_PlatForm</source>
        <translation>Platform</translation>
    </message>
    <message>
        <source>TK_PrivateMode</source>
        <translation>Private mode</translation>
    </message>
    <message>
        <source>TK_RealtimeTempScreening</source>
        <translation>Real-time temperature screening</translation>
    </message>
    <message>
        <source>TK_RealtimeTemperature</source>
        <translation>Real-time temperature</translation>
    </message>
    <message>
        <source>TK_RegistryShowName</source>
        <translation>Name of a registered person</translation>
    </message>
    <message>
        <source>TK_RegistrySpeech</source>
        <translation>Registry strategy</translation>
    </message>
    <message>
        <source>TK_SDKTimeout</source>
        <translation>The platform did not answer in time</translation>
    </message>
    <message>
        <source>TK_Saturday</source>
        <translation>Saturday</translation>
    </message>
    <message>
        <source>TK_Save</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>TK_SaveAs</source>
        <translation>Save as</translation>
    </message>
    <message>
        <source>TK_SaveFailed</source>
        <translation>Saving failed: </translation>
    </message>
    <message>
        <source>TK_SaveFile</source>
        <translation>Save file</translation>
    </message>
    <message>
        <source>TK_SaveSuccess</source>
        <translation>Saved</translation>
    </message>
    <message>
        <source>TK_ScreenDisplayContent</source>
        <translation>Screen content</translation>
    </message>
    <message>
        <source>TK_ScreenLayout</source>
        <translation>Screen layout</translation>
    </message>
    <message>
        <source>TK_SearchByPicture</source>
        <translation>Search by picture</translation>
    </message>
    <message>
        <source>TK_SelectLowerLevel</source>
        <translation>Include sub-groups</translation>
    </message>
    <message>
        <source>TK_SelectPicture</source>
        <translation>Select picture</translation>
    </message>
    <message>
        <source>TK_Set</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>TK_ShowBodyTemperature</source>
        <translation>Show body temperature</translation>
    </message>
    <message>
        <source>TK_ShowCustomContent</source>
        <translation>Show custom content</translation>
    </message>
    <message>
        <source>TK_ShowCustomPicture</source>
        <translation>Show custom picture</translation>
    </message>
    <message>
        <source>TK_ShowNoting</source>
        <translation>Show nothing</translation>
    </message>
    <message>
        <source>TK_ShowPreview</source>
        <translation>Show live video</translation>
    </message>
    <message>
        <source>TK_ShowTotalNoMask</source>
        <translation>Show total without mask</translation>
    </message>
    <message>
        <source>TK_Small</source>
        <translation>Small</translation>
    </message>
    <message>
        <source>TK_SnapClear</source>
        <translation>Today's snapshot totals</translation>
    </message>
    <message>
        <source>TK_SnapHandle</source>
        <translation>Snapshot pictures</translation>
    </message>
    <message>
        <source>TK_SnapTotal</source>
        <translation>Snapshots</translation>
    </message>
    <message>
        <source>TK_Sound</source>
        <translation>Sound</translation>
    </message>
    <message>
        <source>TK_Speech</source>
        <translation>Voice</translation>
    </message>
    <message>
        <source>TK_SpeechRecovered</source>
        <translation>Voice announcements are spoken again</translation>
    </message>
    <message>
        <source>TK_SpeechUnavailable</source>
        <translation>Voice announcements cannot be spoken: the speech engine does not respond</translation>
    </message>
    <message>
        <source>TK_StartTime</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>TK_StaticRange</source>
        <translation>Statistics range</translation>
    </message>
    <message>
        <source>TK_StoreFailed</source>
        <translation>Settings cannot be read or saved: changes apply until the client closes and are saved when the settings store is back</translation>
    </message>
    <message>
        <source>TK_StoreRecovered</source>
        <translation>The settings store is back: settings are read and saved again</translation>
    </message>
    <message>
        <source>TK_Stranger</source>
        <translation>Stranger</translation>
    </message>
    <message>
        <source>TK_StrangerPolicyNoDeleted</source>
        <translation>The stranger strategy cannot be deleted</translation>
    </message>
    <message>
        <source>TK_StrangerShowName</source>
        <translation>Name shown for strangers</translation>
    </message>
    <message>
        <source>TK_StrategyLoadFailed</source>
        <translation>Display and voice settings could not be loaded; trying again</translation>
    </message>
    <message>
        <source>TK_StrategyLoadRecovered</source>
        <translation>Display and voice settings loaded</translation>
    </message>
    <message>
        <source>TK_Sunday</source>
        <translation>Sunday</translation>
    </message>
    <message>
        <source>TK_Suspected</source>
        <translation>Suspected fever</translation>
    </message>
    <message>
        <source>TK_TempRecord</source>
        <translation>Listed temperatures</translation>
    </message>
    <message>
        <source>TK_TempResult</source>
        <translation>Temperature display</translation>
    </message>
    <message>
        <source>TK_TempStatistics</source>
        <translation>Temperature statistics</translation>
    </message>
    <message>
        <source>TK_TemperatureResult</source>
        <translation>Show verdict</translation>
    </message>
    <message>
        <source>TK_TestAgain</source>
        <translation>Please measure again</translation>
    </message>
    <message>
        <source>TK_TestAgainForAbnormalTemperature</source>
        <translation>Abnormal temperature, please measure again</translation>
    </message>
    <message>
        <source>TK_Thursday</source>
        <translation>Thursday</translation>
    </message>
    <message>
        <source>TK_Time</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>TK_TimeSet</source>
        <translation>Set times</translation>
    </message>
    <message>
        <source>TK_TodaySnapshots</source>
        <translation>Today&apos;s snapshots of this person</translation>
    </message>
    <message>
        <source>TK_TrackingTimeLine</source>
        <translation>Over-temperature handling</translation>
    </message>
    <message>
        <source>TK_Tuesday</source>
        <translation>Tuesday</translation>
    </message>
    <message>
        <source>TK_TwoStrategyAtLeast</source>
        <translation>At least two strategies must remain</translation>
    </message>
    <message>
        <source>TK_UpdateFacePic</source>
        <translation>Update face picture</translation>
    </message>
    <message>
        <source>TK_UploadFailed</source>
        <translation>Upload failed</translation>
    </message>
    <message>
        <source>TK_VisitorHello</source>
        <translation>Hello, visitor</translation>
    </message>
    <message>
        <source>TK_Warm</source>
        <translation>Fever</translation>
    </message>
    <message>
        <source>TK_Wednesday</source>
        <translation>Wednesday</translation>
    </message>
    <message>
        <source>TK_Weekday</source>
        <translation>Weekday</translation>
    </message>
    <message>
        <source>TK_WordSet</source>
        <translation>Texts</translation>
    </message>
    <message>
        <source>TK_YouCanNotPass</source>
        <translation>You cannot pass</translation>
    </message>
    <message>
        <source>TK_YouCanNotPassForOverTemperature</source>
        <translation>Temperature too high, you cannot pass</translation>
    </message>
    <message>
        <source>TK_YouCanPass</source>
        <translation>You may pass</translation>
    </message>
</context>
</TS>
