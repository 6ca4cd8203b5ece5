// Spanish texts of the catalogue, in the English table's key order. The
// messages about the primary server's update level and running backups have
// no Spanish text and stay English.
//
// Texts are kept byte for byte as the product shows them, including doubled
// and trailing blanks.
#include "text/LangTable.h"

const TLangText LangTableSpanish[] = {
    {"str_LauncherForm_Caption", "Utilidad de actualización Orvane"},
    {"str_lbServerVersionTitle_Caption", "Nivel de actualización actual"},
    {"str_lbServerVersion_Caption", "%s %s a %s"},
    {"str_lbResponceCenter_Caption", "Asistencia permanente en el Centro de asistencia técnica de Dantor."},
    {"str_lbUpdateSystemTitle_Caption", "Actualice el sistema Orvane"},
    {"str_lbUpdateSystemInfo_Caption", "Instale las últimas actualizaciones en el sistema."},
    {"str_lbUpdateFilesPathTitle_Caption", "Especifique dónde se guardan las actualizaciones"},
    {"str_lbUpdateFilesPathInfo_Caption",
     "Recuerde que es muy conveniente copiar todos los archivos de la actualización del CD de actualización a la nueva "
     "carpeta  de la unidad J: (o cualquier otro volumen de Jobs con espacio libre suficiente)."},
    {"str_lbUpdateFilesPathEchoTitle_Caption", "Ruta a las actualizaciones"},
    {"str_lbUpdateFileListTitle_Caption", "Lista de archivos"},
    {"str_lbSnapshotDriveTitle_Caption", "Especifique la unidad de destino de la instantánea"},
    {"str_lbSnapshotDriveInfo_Caption",
     "Para realizar una actualización, una instantánea del sistema quedará almacenada en el servidor.\r\r"
     "Seleccione una unidad fija con la mayor cantidad de espacio libre, por lo general una unidad \"Jobs\".\r\r"
     "Si surgiese cualquier problema grave, el Centro de asistencia técnica de Dantor podrá restablecer el servidor a "
     "partir de esta instantánea."},
    {"str_lbAboutToInstallInfo1_Caption", "Nota importante:"},
    {"str_lbAboutToInstallInfo2_Caption",
     "Todos los servicios Orvane de este equipo así como los servicios Verdane de equipos remotos se detendrán como "
     "parte de la actualización.\r\r"
     "Pulse el botón Start para comenzar la actualización."},
    {"str_lbProgressTitle_Caption", "Progreso %d%%"},
    {"str_lbProgressInfo_Caption",
     "La actualización puede tardar de 10 a 60 minutos, según el tipo de servidor y el tamaño de la base de datos.\r\r"
     "Tenga paciencia y permita que la actualización finalice correctamente, ya que su interrupción puede dar lugar a "
     "un mayor tiempo de inactividad del sistema."},
    {"str_lbCurrentStepTitle_Caption", "Siguiente paso"},
    {"str_lbProgressDetailsTitle_Caption", "Detalles del progreso"},
    {"str_txtCurrentStep_Caption_Initializing", "Inicializando"},
    {"str_txtCurrentStep_Caption_Updating", "Actualizando %s"},
    {"str_txtCompletionStatusInfo_Caption_Success",
     "¡Enhorabuena!\r\r"
     "El servidor se ha actualizado correctamente a %s."},
    {"str_txtCompletionStatusInfo_Caption_Failed",
     "Error  Póngase en contacto con el Centro de asistencia técnica de Dantor.\r\r"
     "La instalación dio error en el paso %s %s:\"%s\", con el mensaje siguiente:\r\r"
     "%s"},
    {"str_lbSnapshotDriveSizeInfo_Caption", "%0.0n MB libres [%0.0d%%]"},
    {"str_btPrev_Caption", "< &Ant"},
    {"str_btNext_Caption_Next", "&Siguiente >"},
    {"str_btNext_Caption_Start", "Iniciar"},
    {"str_btExit_Caption", "Sali&r"},
    {"str_Title_Column_Updates", "Actualizaciones"},
    {"str_Title_Error", "Error"},
    {"str_Title_Warning", "Advertencia"},
    {"str_Title_Information", "Información"},
    {"str_Message_No_Files_Matching", "No hay correspondencia de archivos %s"},
    {"str_Message_Generic_Error",
     "El programa no puede continuar debido a un problema de configuración o del sistema."},
    {"str_Message_Cant_Start_Update_Utility_Engine_Already_Running",
     "No es posible empezar la actualización en este momento, debido a que ya hay una copia del motor de la utilidad "
     "de actualización en funcionamiento(%s)."},
    {"str_Message_Cant_Start_Update_Utility_Must_Be_In_Same_Folder",
     "No es posible continuar, porque debe haber una copia del motor de la utilidad de actualización (%s) en:\r"
     "%s"},
    {"str_Message_Cant_Close_Application_Update_Utility_Engine_Still_Running",
     "El motor de la utilidad de actualización (%s) sigue funcionando. Permita que se termine la actualización antes "
     "de cerrar la aplicación."},
    {"str_Message_Cant_Determine_Remote_MaintenanceMode",
     "No es posible determinar \"Maintenance Mode\" en el servidor principal %s.\r\r"
     "Por favor asegúrese de que el servidor esté encendido y compruebe los permisos de red."},
    {"str_Message_Cant_Start_System_Not_In_MaintenanceMode",
     "No es posible empezar la actualización en este momento, debido a que el sistema no está en \"Maintenance "
     "Mode\".\r\r"
     "La aplicación Orvane Administrator (SYSA) puede utilizarse para pasar a \"Maintenance Mode\"."},
    {"str_Message_Recommend_Updates_On_Local_Server_Query_Continue",
     "Se recomienda mantener los archivos de actualización en un disco duro fijo del servidor local.  La carpeta "
     "seleccionada no está en un disco duro fijo.\r\r"
     "¿Desea continuar de todos modos?"},
    {"str_Message_Missing_Update_Files_Continue",
     "Faltan algunos archivos de actualización en la secuencia.\r\r"
     "¿Desea continuar de todos modos?"},
    {"str_Message_No_Applicable_Updates_Available",
     "No hay actualizaciones válidas de %s disponibles en la carpeta seleccionada."},
    {"str_Message_Server_Needs_Reboot",
     "El proceso de actualización establece que es necesario volver a arrancar el servidor.\r\r"
     "1. Asegúrese de que en otros servidores no haya actualizaciones que dependan de este servidor ni de cualquiera "
     "de sus recursos compartidos.\r\r"
     "2. Una vez comprobado, vuelva a arrancar este servidor.\r"},
    {"str_Message_Please_Reboot_Before_Updating",
     "El servidor no fue rebooteado antes de comenzar esta actualizacion.\r"
     "Desea terminar la actualizacion? (continue la actualizacion a su propio riesgo.)"},
    {"str_Message_Earlier_Errors_In_Log", "(Los errores anteriores están en el archivo de registro.)"},
    {"str_Message_Log_Not_Written", "No se pudo escribir el archivo de registro %s:\r\r%s"},
    {"str_Message_Running_Log_Lost",
     "No se pudo escribir el archivo en curso %s de esta ejecución:\r\r%s\r\rEl registro contiene solo la última parte "
     "de la salida del motor."},
    {"str_Message_Run_End_Fault", "No se pudo procesar por completo el final de la ejecución:\r\r%s"},
    {"str_Message_Closed_Before_End",
     "Se pidió cerrar la utilidad de actualización antes de que terminara la actualización."},
    {"str_Message_Unexpected_Error", "La utilidad de actualización se detuvo por un error inesperado:\r\r%s"},
    {"str_Message_Command_Line_Invalid", "La línea de comandos no es válida: %s.\r\rUso:\r%s"},
    {"str_Message_Snapshot_Drive_Not_Suitable",
     "La unidad del snapshot %s no es adecuada: %s\r\rEl snapshot necesita una unidad de disco duro local fija con al "
     "menos 1500 MB libres."},
    {"str_Message_Update_Utility_Already_Running",
     "Ya se está ejecutando otra copia de la utilidad de actualización en este servidor."},
    {"str_Message_Check_Ready",
     "Este servidor está listo para la actualización de %s a %s (archivos de actualización Orvane-3.1.0.%d a "
     "Orvane-3.1.0.%d)."},
    {"str_Message_Check_Snapshot", "El motor guardaría primero un snapshot en la unidad %s (%s)."},
    {"str_Message_Check_No_Snapshot", "El motor se ejecutaría sin snapshot."},
    {"str_Message_Program_Files_Writable",
     "Otros usuarios además de los administradores pueden modificar lo que la actualización ejecuta con "
     "derechos de administrador: %s.\r\r"
     "Quien pueda modificar la carpeta del asistente, OUpdate.exe u oue.exe puede ejecutar programas como "
     "administrador en este servidor. Solo Administradores y SYSTEM deberían poder escribir allí."},
    {"str_Message_Program_Files_Writable_Query_Continue", "¿Desea continuar de todos modos?"},
    {"str_Message_Wizard_Lock_Unavailable",
     "La utilidad de actualización no puede asegurarse de ser la única copia en funcionamiento en este servidor: %s"},
};
