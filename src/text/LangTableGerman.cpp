// German texts of the catalogue, in the English table's key order. The
// messages about the primary server's update level and running backups have
// no German text and stay English.
//
// Texts are kept byte for byte as the product shows them, including doubled
// and trailing blanks.
#include "text/LangTable.h"

const TLangText LangTableGerman[] = {
    {"str_LauncherForm_Caption", "Orvane Update-Dienstprogramm"},
    {"str_lbServerVersionTitle_Caption", "Aktuelle Update-Stufe"},
    {"str_lbServerVersion_Caption", "%s %s bei %s"},
    {"str_lbResponceCenter_Caption", "Sie können jederzeit Unterstützung beim Dantor Response Center anfordern."},
    {"str_lbUpdateSystemTitle_Caption", "Orvane-System aktualisieren"},
    {"str_lbUpdateSystemInfo_Caption", "Installieren Sie die neuesten Updates auf Ihrem System."},
    {"str_lbUpdateFilesPathTitle_Caption", "Geben Sie an, wo die Updates gespeichert sind"},
    {"str_lbUpdateFilesPathInfo_Caption",
     "Es wird dringend empfohlen, alle Update-Dateien von der Upgrade-CD in einen neuen Ordner auf dem Laufwerk J: "
     "(oder an einem anderen Jobs-Datenträger mit genügend freiem Speicher zu kopieren)."},
    {"str_lbUpdateFilesPathEchoTitle_Caption", "Pfad zu Updates"},
    {"str_lbUpdateFileListTitle_Caption", "Liste der Dateien"},
    {"str_lbSnapshotDriveTitle_Caption", "Geben Sie das Ziellaufwerk für den Snapshot an"},
    {"str_lbSnapshotDriveInfo_Caption",
     "Bei der Durchführung eines Updates wird ein Snapshot des Systems auf Ihrem Server gespeichert.\r\r"
     "Wählen Sie ein eingebautes Festplattenlaufwerk mit dem meisten freien Speicher, normalerweise  ein "
     "\"Jobs\"-Laufwerk.\r\r"
     "Sollten ernsthafte Probleme auftreten, kann das Dantor Response Center  den Server anhand dieses Snapshots "
     "wiederherstellen."},
    {"str_lbAboutToInstallInfo1_Caption", "Wichtiger Hinweis:"},
    {"str_lbAboutToInstallInfo2_Caption",
     "Alle Orvane-Dienste auf diesem Computer und die Verdane-Dienste auf entfernten Computern werden als Teil des "
     "Upgrade-Prozesses beendet.\r\r"
     "Klicken Sie auf die Schaltfläche Start, um den Upgrade-Prozess zu starten."},
    {"str_lbProgressTitle_Caption", "Status %d%%"},
    {"str_lbProgressInfo_Caption",
     "Der Vorgang kann 10 bis 60 Minuten in Anspruch nehmen und hängt vom Servertyp und der Größe Ihrer Datenbank "
     "ab.\r\r"
     "Bitte haben Sie etwas Geduld, und warten Sie, bis das Update abgeschlossen ist; eine Unterbrechung führt nur zu "
     "längeren Ausfallzeiten."},
    {"str_lbCurrentStepTitle_Caption", "Aktueller Schritt:"},
    {"str_lbProgressDetailsTitle_Caption", "Statusdetails:"},
    {"str_txtCurrentStep_Caption_Initializing", "Initialisiere"},
    {"str_txtCurrentStep_Caption_Updating", "Aktualisiere %s"},
    {"str_txtCompletionStatusInfo_Caption_Success",
     "Herzlichen Glückwunsch!\r\r"
     "Sie haben diesen Server erfolgreich auf %s aktualisiert."},
    {"str_txtCompletionStatusInfo_Caption_Failed",
     "Fehler! Rufen Sie das Dantor Response Center an.\r\r"
     "Installation bei Schritt %s %s:\"%s\" mit der folgenden Meldung fehlgeschlagen:\r\r"
     "%s"},
    {"str_lbSnapshotDriveSizeInfo_Caption", "%0.0n MB frei [%0.0d%%]"},
    {"str_btPrev_Caption", "< &Zurück"},
    {"str_btNext_Caption_Next", "&Weiter >"},
    {"str_btNext_Caption_Start", "Start"},
    {"str_btExit_Caption", "&Beenden"},
    {"str_Title_Column_Updates", "Updates"},
    {"str_Title_Error", "Fehler"},
    {"str_Title_Warning", "Warnung"},
    {"str_Title_Information", "Information"},
    // The blank at the end belongs to the text.
    {"str_Message_No_Files_Matching", "Keine Dateien, die mit %s übereinstimmen "},
    {"str_Message_Generic_Error",
     "Das Programm kann aufgrund eines Konfigurations- oder Systemproblems nicht fortgesetzt werden."},
    {"str_Message_Cant_Start_Update_Utility_Engine_Already_Running",
     "Update kann derzeit nicht gestartet werden, da eine Kopie des Update-Programmmoduls (%s) bereits ausgeführt "
     "wird."},
    {"str_Message_Cant_Start_Update_Utility_Must_Be_In_Same_Folder",
     "Fortsetzung nicht möglich; eine Kopie des Update-Programmmoduls (%s) muss unter \r"
     "%s zur Verfügung gestellt werden."},
    {"str_Message_Cant_Close_Application_Update_Utility_Engine_Still_Running",
     "Das Update-Programmmodul (%s) arbeitet noch. Warten Sie, bis der Aktualisierungsvorgang abgeschlossen ist, bevor "
     "Sie die Anwendung schließen."},
    {"str_Message_Cant_Determine_Remote_MaintenanceMode",
     "\"Verwaltungsmodus\" auf Haupt-Server %s kann nicht festgestellt werden.\r\r"
     "Vergewissern Sie sich, dass der Server eingeschaltet ist, und überprüfen Sie die Netzwerkberechtigungen."},
    {"str_Message_Cant_Start_System_Not_In_MaintenanceMode",
     "Update kann nicht gestartet werden, da sich das System nicht im  \"Verwaltungsmodus befindet\".\r\r"
     "Mit der Orvane Administrator-Anwendung (SYSA) kann das System in den \"Verwaltungsmodus\" versetzt werden."},
    {"str_Message_Recommend_Updates_On_Local_Server_Query_Continue",
     "Es wird empfohlen, die Update-Dateien auf einem Festplattenlaufwerk des lokalen Servers zu speichern. Der "
     "ausgewählte Ordner befindet sich nicht auf einem Festplattenlaufwerk.\r\r"
     "Möchten Sie trotzdem fortfahren?"},
    {"str_Message_Missing_Update_Files_Continue",
     "Einige Update-Dateien scheinen zu fehlen.\r\r"
     "Möchten Sie trotzdem fortfahren?"},
    {"str_Message_No_Applicable_Updates_Available",
     "Im ausgewählten Ordner sind keine anwendbaren Updates für %s vorhanden."},
    {"str_Message_Server_Needs_Reboot",
     "Der Update-Prozess hat festgestellt, dass ein Server-Neustart erforderlich ist.\r\r"
     "1. Vergewissern Sie sich, dass keine anderen Server-Upgrades  auf diesen Server oder Server-Freigaben "
     "zugreifen.\r\r"
     "2. Starten Sie anschließend den Server neu.\r"},
    {"str_Message_Please_Reboot_Before_Updating",
     "Der Server wurde vor beginn des updateprozesses nicht neu gestartet.\r"
     "Update beenden? (Update auf eigenes risiko vortsetzen.)"},
    {"str_Message_Earlier_Errors_In_Log", "(Frühere Fehler stehen in der Protokolldatei.)"},
    {"str_Message_Log_Not_Written", "Die Protokolldatei %s konnte nicht geschrieben werden:\r\r%s"},
    {"str_Message_Running_Log_Lost",
     "Die laufende Protokolldatei %s dieses Vorgangs konnte nicht geschrieben werden:\r\r%s\r\rDas Protokoll enthält "
     "nur den letzten Teil der Ausgabe des Update-Programmmoduls."},
    {"str_Message_Run_End_Fault", "Das Ende des Vorgangs konnte nicht vollständig verarbeitet werden:\r\r%s"},
    {"str_Message_Closed_Before_End",
     "Das Update-Dienstprogramm sollte beendet werden, bevor das Update abgeschlossen war."},
    {"str_Message_Unexpected_Error", "Das Update-Dienstprogramm wurde durch einen unerwarteten Fehler beendet:\r\r%s"},
    {"str_Message_Command_Line_Invalid", "Die Befehlszeile ist ungültig: %s.\r\rAufruf:\r%s"},
    {"str_Message_Snapshot_Drive_Not_Suitable",
     "Das Snapshot-Laufwerk %s ist nicht geeignet: %s\r\rDer Snapshot braucht ein lokales Festplattenlaufwerk mit "
     "mindestens 1500 MB freiem Speicher."},
    {"str_Message_Update_Utility_Already_Running",
     "Auf diesem Server läuft bereits eine andere Kopie des Update-Programms."},
    {"str_Message_Check_Ready",
     "Dieser Server ist bereit für das Update von %s auf %s (Update-Dateien Orvane-3.1.0.%d bis Orvane-3.1.0.%d)."},
    {"str_Message_Check_Snapshot", "Das Update-Programm würde zuerst einen Snapshot auf Laufwerk %s speichern (%s)."},
    {"str_Message_Check_No_Snapshot", "Das Update-Programm würde ohne Snapshot laufen."},
    {"str_Message_Program_Files_Writable",
     "Nicht nur Administratoren können ändern, was das Update mit Administratorrechten ausführt: %s.\r\r"
     "Wer den Ordner des Update-Programms, OUpdate.exe oder oue.exe ändern kann, kann auf diesem Server "
     "Programme als Administrator ausführen. Nur Administratoren und SYSTEM sollten dort schreiben dürfen."},
    {"str_Message_Program_Files_Writable_Query_Continue", "Möchten Sie trotzdem fortfahren?"},
    {"str_Message_Wizard_Lock_Unavailable",
     "Das Update-Programm kann nicht sicherstellen, dass es als einzige Kopie auf diesem Server läuft: %s"},
};
