// French texts of the catalogue, in the English table's key order. The
// messages about the primary server's update level and running backups have
// no French text and stay English.
//
// Texts are kept byte for byte as the product shows them, including doubled
// and trailing blanks.
#include "text/LangTable.h"

const TLangText LangTableFrench[] = {
    {"str_LauncherForm_Caption", "Utilitaire de mise à jour Orvane"},
    {"str_lbServerVersionTitle_Caption", "Niveau de mise à jour actuel"},
    {"str_lbServerVersion_Caption", "%s %s a la version %s"},
    {"str_lbResponceCenter_Caption",
     "En cas de problème, vous pouvez à tout moment contacter le Dantor Response Center."},
    {"str_lbUpdateSystemTitle_Caption", "Mettre à jour le système Orvane"},
    {"str_lbUpdateSystemInfo_Caption", "Installe les dernières mises à jour sur votre système."},
    {"str_lbUpdateFilesPathTitle_Caption", "Veuillez indiquer l'emplacement de stockage des fichiers de mise à jour."},
    {"str_lbUpdateFilesPathInfo_Caption",
     "Il est fortement recommandé de copier tous les fichiers de mise à jour de votre CD-Rom de mise à niveau vers un "
     "nouveau dossier du lecteur J: (ou tout autre volume de travail disposant de l'espace nécessaire)."},
    {"str_lbUpdateFilesPathEchoTitle_Caption", "Chemin d'accès aux mises à jour"},
    {"str_lbUpdateFileListTitle_Caption", "Liste de fichiers"},
    {"str_lbSnapshotDriveTitle_Caption", "Veuillez indiquer le lecteur cible pour l'instantané."},
    {"str_lbSnapshotDriveInfo_Caption",
     "Pour effectuer la mise à jour, un instantané du système sera stocké sur votre serveur.\r\r"
     "Sélectionnez un lecteur fixe avec le plus d'espace libre possible (généralement un lecteur de travail "
     "\"Jobs\").\r\r"
     "En cas de problème grave, cet instantané permet au Dantor Response Center de restaurer votre serveur."},
    {"str_lbAboutToInstallInfo1_Caption", "Remarque importante :"},
    {"str_lbAboutToInstallInfo2_Caption",
     "Tous les services Orvane sur cet ordinateur ainsi que les services Verdane sur les ordinateurs distants vont "
     "être interrompus pendant la mise à niveau.\r\r"
     "Cliquez sur le bouton Démarrer pour commencer la mise à niveau."},
    {"str_lbProgressTitle_Caption", "Progression %d%%"},
    {"str_lbProgressInfo_Caption",
     "La mise à niveau peut durer entre 10 et 60 minutes, en fonction du type de serveur et de la taille de votre base "
     "de données.\r\r"
     "Veuillez patienter jusqu'à la fin du processus ; son interruption risquerait d'augmenter le temps d'arrêt du "
     "système."},
    {"str_lbCurrentStepTitle_Caption", "Etape en cours"},
    {"str_lbProgressDetailsTitle_Caption", "Détails de progression"},
    {"str_txtCurrentStep_Caption_Initializing", "Initialisation"},
    {"str_txtCurrentStep_Caption_Updating", "Mise à jour %s"},
    {"str_txtCompletionStatusInfo_Caption_Success",
     "Félicitations !\r\r"
     "La mise à niveau de ce serveur vers %s a réussi."},
    {"str_txtCompletionStatusInfo_Caption_Failed",
     "Erreur !  Veuillez contacter le Dantor Response Center.\r\r"
     "L'installation a échoué à l'étape %s %s:\"%s\", avec le message suivant :\r\r"
     "%s"},
    {"str_lbSnapshotDriveSizeInfo_Caption", "%0.0n Mo disp. [%0.0d%%]"},
    {"str_btPrev_Caption", "< &Préc"},
    {"str_btNext_Caption_Next", "&Suiv >"},
    {"str_btNext_Caption_Start", "Démarrer"},
    {"str_btExit_Caption", "&Quitter"},
    {"str_Title_Column_Updates", "Mises à jour"},
    {"str_Title_Error", "Erreur"},
    {"str_Title_Warning", "Avertissement"},
    {"str_Title_Information", "Informations"},
    {"str_Message_No_Files_Matching", "Aucun fichier correspondant à %s"},
    {"str_Message_Generic_Error",
     "Le programme ne peut pas continuer en raison d'un problème de configuration ou de système."},
    {"str_Message_Cant_Start_Update_Utility_Engine_Already_Running",
     "Impossible de démarrer la mise à jour maintenant car une copie du moteur de l'utilitaire (%s) est en cours "
     "d'exécution."},
    {"str_Message_Cant_Start_Update_Utility_Must_Be_In_Same_Folder",
     "Impossible de continuer. Une copie du moteur de l'utilitaire de mise à jour (%s) doit être disponible dans :\r"
     "%s"},
    {"str_Message_Cant_Close_Application_Update_Utility_Engine_Still_Running",
     "Le moteur de l'utilitaire de mise à jour (%s) est en cours d'exécution. Laissez-le terminer la mise à jour avant "
     "de fermer l'application."},
    {"str_Message_Cant_Determine_Remote_MaintenanceMode",
     "Impossible de déterminer le mode \"Maintenance\" sur le serveur principal %s.\r\r"
     "Assurez-vous que le serveur est bien sous tension et vérifiez les autorisations réseau."},
    {"str_Message_Cant_Start_System_Not_In_MaintenanceMode",
     "Impossible de mettre à jour maintenant car le système n'est pas en \"mode Maintenance.\".\r\r"
     "L'application Orvane Administrator (SYSA) permet de passer au mode \"Maintenance\"."},
    {"str_Message_Recommend_Updates_On_Local_Server_Query_Continue",
     "Il est recommandé de placer les fichiers de mise à jour sur un lecteur fixe de votre serveur local. Le dossier "
     "sélectionné n'est pas sur un lecteur fixe.\r\r"
     "Voulez-vous continuer quand même ?"},
    {"str_Message_Missing_Update_Files_Continue",
     "Il semble que des fichiers de mise à jour manquent dans la séquence.\r\r"
     "Voulez-vous continuer quand même ?"},
    {"str_Message_No_Applicable_Updates_Available",
     "Le dossier sélectionné ne contient aucune mise à jour applicable pour %s."},
    {"str_Message_Server_Needs_Reboot",
     "Le processus de mise à jour demande le redémarrage du serveur.\r\r"
     "1. Assurez-vous qu'aucune autre mise à niveau de serveur dépend de ce serveur ou de ses partages.\r\r"
     "2. Après cette vérification, redémarrez le serveur.\r"},
    {"str_Message_Please_Reboot_Before_Updating",
     "Le serveur n'a pas été redémarer avant de commencer cette mise à jour.\r"
     "Voulez-vous arreter la mise à jour ? (Continuer la mise à jour à vos propres risques.)"},
    {"str_Message_Earlier_Errors_In_Log", "(Les erreurs précédentes figurent dans le fichier journal.)"},
    {"str_Message_Log_Not_Written", "Le fichier journal %s n'a pas pu être écrit :\r\r%s"},
    {"str_Message_Running_Log_Lost",
     "Le fichier en cours %s de cette exécution n'a pas pu être écrit :\r\r%s\r\rLe journal ne contient que la "
     "dernière partie de la sortie du moteur."},
    {"str_Message_Run_End_Fault", "La fin de l'exécution n'a pas pu être entièrement traitée :\r\r%s"},
    {"str_Message_Closed_Before_End",
     "L'utilitaire de mise à jour a reçu une demande de fermeture avant la fin de la mise à jour."},
    {"str_Message_Unexpected_Error", "L'utilitaire de mise à jour s'est arrêté sur une erreur inattendue :\r\r%s"},
    {"str_Message_Command_Line_Invalid", "La ligne de commande n'est pas valide : %s.\r\rUtilisation :\r%s"},
    {"str_Message_Snapshot_Drive_Not_Suitable",
     "Le lecteur du snapshot %s ne convient pas : %s\r\rLe snapshot exige un disque dur local fixe avec au moins 1500 "
     "Mo libres."},
    {"str_Message_Update_Utility_Already_Running",
     "Une autre copie de l'utilitaire de mise à jour est déjà en cours d'exécution sur ce serveur."},
    {"str_Message_Check_Ready",
     "Ce serveur est prêt pour la mise à jour de %s vers %s (fichiers de mise à jour Orvane-3.1.0.%d à "
     "Orvane-3.1.0.%d)."},
    {"str_Message_Check_Snapshot", "Le moteur enregistrerait d'abord un snapshot sur le lecteur %s (%s)."},
    {"str_Message_Check_No_Snapshot", "Le moteur s'exécuterait sans snapshot."},
    {"str_Message_Program_Files_Writable",
     "D'autres utilisateurs que les administrateurs peuvent modifier ce que la mise à jour exécute avec les "
     "droits d'administrateur : %s.\r\r"
     "Quiconque peut modifier le dossier de l'assistant, OUpdate.exe ou oue.exe peut exécuter des programmes en "
     "tant qu'administrateur sur ce serveur. Seuls les Administrateurs et SYSTEM devraient pouvoir y écrire."},
    {"str_Message_Program_Files_Writable_Query_Continue", "Voulez-vous continuer quand même ?"},
    {"str_Message_Wizard_Lock_Unavailable",
     "L'utilitaire de mise à jour ne peut pas s'assurer qu'il est la seule copie en cours d'exécution sur ce serveur : "
     "%s"},
};
