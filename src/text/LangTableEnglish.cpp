// English texts of the catalogue: every key, in key order. Every run
// starts in English, and the two messages the other languages lack are only
// ever shown from here.
//
// Texts are kept byte for byte as the product shows them, including doubled
// and trailing blanks.
#include "text/LangTable.h"

const TLangText LangTableEnglish[] = {
    {"str_LauncherForm_Caption", "Orvane Update Utility"},
    {"str_lbServerVersionTitle_Caption", "Current Update Level"},
    {"str_lbServerVersion_Caption", "%s %s at %s"},
    {"str_lbResponceCenter_Caption", "For assistance at any time, please contact the Dantor Response Center."},
    {"str_lbUpdateSystemTitle_Caption", "Update Orvane System"},
    {"str_lbUpdateSystemInfo_Caption", "Install the latest updates on your system."},
    {"str_lbUpdateFilesPathTitle_Caption", "Please specify where the updates are stored"},
    {"str_lbUpdateFilesPathInfo_Caption",
     "Please note that it is highly recommended to copy all update files from your upgrade CD to a new folder on your "
     "J: drive (or any other Jobs volume with enough free space)."},
    {"str_lbUpdateFilesPathEchoTitle_Caption", "Path To Updates"},
    {"str_lbUpdateFileListTitle_Caption", "List of files"},
    {"str_lbSnapshotDriveTitle_Caption", "Please specify the target drive for the snapshot"},
    {"str_lbSnapshotDriveInfo_Caption",
     "In order to perform an update, a snapshot of the system will be stored on your server.\r\r"
     "Select a fixed drive with the most free space - usually a \"Jobs\" drive.\r\r"
     "In case of a serious problem, the Dantor Response Center will be able to restore your server from this "
     "snapshot."},
    {"str_lbAboutToInstallInfo1_Caption", "Important note:"},
    {"str_lbAboutToInstallInfo2_Caption",
     "All Orvane services on this machine as well as Verdane services on remote machines will be stopped as part of "
     "the upgrade.\r\r"
     "Press the Start button to begin the upgrade."},
    {"str_lbProgressTitle_Caption", "Progress %d%%"},
    {"str_lbProgressInfo_Caption",
     "The upgrade can take between 10 to 60 minutes, depending on the server type and the size of your database.\r\r"
     "Please be patient and let the update complete, since interrupting the update may cause more system down time."},
    {"str_lbCurrentStepTitle_Caption", "Current Step"},
    {"str_lbProgressDetailsTitle_Caption", "Progress Details"},
    {"str_txtCurrentStep_Caption_Initializing", "Initializing"},
    {"str_txtCurrentStep_Caption_Updating", "Updating %s"},
    {"str_txtCompletionStatusInfo_Caption_Success",
     "Congratulations!\r\r"
     "You have successfully upgraded this server to %s."},
    {"str_txtCompletionStatusInfo_Caption_Failed",
     "Error!  Please call the Dantor Response Center.\r\r"
     "Installation failed in step %s %s:\"%s\", with the following message:\r\r"
     "%s"},
    {"str_lbSnapshotDriveSizeInfo_Caption", "%0.0n MB free [%0.0d%%]"},
    {"str_btPrev_Caption", "< &Prev"},
    {"str_btNext_Caption_Next", "&Next >"},
    {"str_btNext_Caption_Start", "Start"},
    {"str_btExit_Caption", "E&xit"},
    {"str_Title_Column_Updates", "Updates"},
    {"str_Title_Error", "Error"},
    {"str_Title_Warning", "Warning"},
    {"str_Title_Information", "Information"},
    {"str_Message_No_Files_Matching", "No files matching %s"},
    {"str_Message_Generic_Error", "The program can not continue because of a configuration or system problem."},
    {"str_Message_Cant_Start_Update_Utility_Engine_Already_Running",
     "Cannot start an update at this time, because a copy of the update utility engine (%s) is already running."},
    {"str_Message_Cant_Start_Update_Utility_Must_Be_In_Same_Folder",
     "Cannot continue, because a copy of the update utility engine (%s) must be available in:\r"
     "%s"},
    {"str_Message_Cant_Close_Application_Update_Utility_Engine_Still_Running",
     "The update utility engine (%s) is still running. Please let it finish the update before closing the "
     "application."},
    {"str_Message_Cant_Determine_Remote_MaintenanceMode",
     "Cannot determine \"Maintenance Mode\" on Primary server %s.\r\r"
     "Please make sure the server is powered on and check the network permissions."},
    {"str_Message_Cant_Start_System_Not_In_MaintenanceMode",
     "Cannot start an update at this time, because the system is not in \"Maintenance Mode\".\r\r"
     "The Orvane Administrator application (SYSA) can be used to switch to \"Maintenance Mode\"."},
    {"str_Message_Recommend_Updates_On_Local_Server_Query_Continue",
     "It is recommended to have the update files on a fixed hard drive on your local server.  The selected folder is "
     "not on a fixed hard drive.\r\r"
     "Would you like to continue anyways?"},
    {"str_Message_Missing_Update_Files_Continue",
     "Some update files seem to be missing from the sequence.\r\r"
     "Would you like to continue anyways?"},
    {"str_Message_No_Applicable_Updates_Available", "No applicable updates for %s available in the selected folder."},
    {"str_Message_Server_Needs_Reboot",
     "The update process has determined that a server reboot is necessary.\r\r"
     "1. Please ensure that no other server upgrades are depending on this server or any of its shares.\r\r"
     "2. After making sure, please reboot this server.\r"},
    {"str_Message_Cant_Determine_Remote_Server_UpdateLevel",
     "Cannot determine \"Update Level\" of the Primary server %s.\r\r"
     "Please make sure the server is powered on and check the network permissions."},
    {"str_Message_Cant_Start_System_While_Backups_Running",
     "Cannot start an update at this time, because backup is running on the Primary Server.\r\r"
     "The Orvane Administrator application (SYSA) can be used to stop the backups."},
    {"str_Message_Please_Reboot_Before_Updating",
     "The server was not rebooted before starting this update.\r\r"
     "Please stop Orvane and reboot your server."},
    {"str_Message_Earlier_Errors_In_Log", "(Earlier errors are in the log file.)"},
    {"str_Message_Log_Not_Written", "The log file %s could not be written:\r\r%s"},
    {"str_Message_Running_Log_Lost",
     "The running file %s of this run could not be written:\r\r%s\r\rThe log holds only the last part of the engine's "
     "output."},
    {"str_Message_Run_End_Fault", "The end of the run could not be handled completely:\r\r%s"},
    {"str_Message_Closed_Before_End", "The update utility was asked to close before the update had ended."},
    {"str_Message_Unexpected_Error", "The update utility stopped on an unexpected error:\r\r%s"},
    {"str_Message_Command_Line_Invalid", "The command line is not valid: %s.\r\rUsage:\r%s"},
    {"str_Message_Snapshot_Drive_Not_Suitable",
     "The snapshot drive %s is not suitable: %s\r\rThe snapshot needs a fixed local drive with at least 1500 MB free."},
    {"str_Message_Update_Utility_Already_Running",
     "Another copy of the update utility is already running on this server."},
    {"str_Message_Check_Ready",
     "This server is ready for the update from %s to %s (update files Orvane-3.1.0.%d to Orvane-3.1.0.%d)."},
    {"str_Message_Check_Snapshot", "The engine would first store a snapshot on drive %s (%s)."},
    {"str_Message_Check_No_Snapshot", "The engine would run without a snapshot."},
    {"str_Message_Program_Files_Writable",
     "Users other than the administrators can change what the update runs with administrator rights: %s.\r\r"
     "Whoever can change the wizard's folder, OUpdate.exe or oue.exe can run programs as an administrator on "
     "this server. Only Administrators and SYSTEM should be allowed to write there."},
    {"str_Message_Program_Files_Writable_Query_Continue", "Would you like to continue anyways?"},
    {"str_Message_Wizard_Lock_Unavailable",
     "The update utility cannot make sure that it is the only copy running on this server: %s"},
};
