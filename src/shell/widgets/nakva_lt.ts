<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- What Qt's own dialogs still show in English after qt_lt.qm: the standard buttons (with the
     program's button names), the print dialog's page set, layout and job options. -->
<TS version="2.1" language="lt_LT">
<context>
    <name>QPlatformTheme</name>
    <message>
        <source>OK</source>
        <translation>&amp;Gerai</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Taip</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Ne</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>&amp;Nutraukti</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>&amp;Kartoti</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>&amp;Ignoruoti</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>&amp;Baigti</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>&amp;Pagalba</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Į&amp;rašyti</translation>
    </message>
    <message>
        <source>Save All</source>
        <translation>Įrašyti &amp;viską</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>&amp;Atverti</translation>
    </message>
    <message>
        <source>Yes to &amp;All</source>
        <translation>Taip &amp;visiems</translation>
    </message>
    <message>
        <source>N&amp;o to All</source>
        <translation>N&amp;e visiems</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>&amp;Uždaryti</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>&amp;Neįrašyti</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Tai&amp;kyti</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>&amp;Atstatyti</translation>
    </message>
    <message>
        <source>Restore Defaults</source>
        <translation>Numatytosios &amp;reikšmės</translation>
    </message>
</context>
<context>
    <name>QPageSetupWidget</name>
    <message>
        <source>Page Layout</source>
        <translation>Puslapių išdėstymas</translation>
    </message>
    <message>
        <source>Page order:</source>
        <translation>Puslapių tvarka:</translation>
    </message>
    <message>
        <source>Pages per sheet:</source>
        <translation>Puslapių lape:</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Pasirinktinis</translation>
    </message>
</context>
<context>
    <name>QPrintSettingsOutput</name>
    <message>
        <source>Specify pages or ranges separated by commas. Ranges are specified by two numbers separated by a hyphen. E.g: 3,5-7,9 prints pages 3, 5, 6, 7 and 9.</source>
        <translation>Nurodykite puslapius arba jų intervalus, atskirtus kableliais. Intervalą nurodo du skaičiai su brūkšneliu tarp jų, pvz.: 3,5-7,9 spausdina 3, 5, 6, 7 ir 9 puslapius.</translation>
    </message>
    <message>
        <source>Page Set:</source>
        <translation>Puslapių rinkinys:</translation>
    </message>
    <message>
        <source>Double Sided Printing</source>
        <translation>Dvipusis spausdinimas</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Išjungta</translation>
    </message>
    <message>
        <source>Long side binding</source>
        <translation>Įrišimas per ilgąją kraštinę</translation>
    </message>
    <message>
        <source>Short side binding</source>
        <translation>Įrišimas per trumpąją kraštinę</translation>
    </message>
    <message>
        <source>Pages</source>
        <translation>Puslapiai</translation>
    </message>
</context>
<context>
    <name>QPrintDialog</name>
    <message>
        <source>Left to Right, Top to Bottom</source>
        <translation>Iš kairės į dešinę, iš viršaus į apačią</translation>
    </message>
    <message>
        <source>Left to Right, Bottom to Top</source>
        <translation>Iš kairės į dešinę, iš apačios į viršų</translation>
    </message>
    <message>
        <source>Right to Left, Bottom to Top</source>
        <translation>Iš dešinės į kairę, iš apačios į viršų</translation>
    </message>
    <message>
        <source>Right to Left, Top to Bottom</source>
        <translation>Iš dešinės į kairę, iš viršaus į apačią</translation>
    </message>
    <message>
        <source>Bottom to Top, Left to Right</source>
        <translation>Iš apačios į viršų, iš kairės į dešinę</translation>
    </message>
    <message>
        <source>Bottom to Top, Right to Left</source>
        <translation>Iš apačios į viršų, iš dešinės į kairę</translation>
    </message>
    <message>
        <source>Top to Bottom, Left to Right</source>
        <translation>Iš viršaus į apačią, iš kairės į dešinę</translation>
    </message>
    <message>
        <source>Top to Bottom, Right to Left</source>
        <translation>Iš viršaus į apačią, iš dešinės į kairę</translation>
    </message>
    <message>
        <source>All Pages</source>
        <translation>Visi puslapiai</translation>
    </message>
    <message>
        <source>Odd Pages</source>
        <translation>Nelyginiai puslapiai</translation>
    </message>
    <message>
        <source>Even Pages</source>
        <translation>Lyginiai puslapiai</translation>
    </message>
    <message>
        <source>Write PDF file</source>
        <translation>Įrašyti PDF failą</translation>
    </message>
    <message>
        <source>Page Setup</source>
        <translation>Puslapio parinktys</translation>
    </message>
    <message>
        <source>Page Setup Conflicts</source>
        <translation>Puslapio parinkčių prieštaros</translation>
    </message>
    <message>
        <source>There are conflicts in page setup options. Do you want to fix them?</source>
        <translation>Puslapio parinktys prieštarauja viena kitai. Ar norite jas pataisyti?</translation>
    </message>
    <message>
        <source>There are conflicts in some advanced options. Do you want to fix them?</source>
        <translation>Kai kurios papildomos parinktys prieštarauja viena kitai. Ar norite jas pataisyti?</translation>
    </message>
    <message>
        <source>There are conflicts in duplex settings. Do you want to fix them?</source>
        <translation>Dvipusio spausdinimo parinktys prieštarauja viena kitai. Ar norite jas pataisyti?</translation>
    </message>
</context>
<context>
    <name>QPrintPropertiesDialog</name>
    <message>
        <source>Printer Properties</source>
        <translation>Spausdintuvo savybės</translation>
    </message>
    <message>
        <source>Job Options</source>
        <translation>Užduoties parinktys</translation>
    </message>
</context>
<context>
    <name>QPrintPropertiesWidget</name>
    <message>
        <source>There are conflicts in some options. Please fix them.</source>
        <translation>Kai kurios parinktys prieštarauja viena kitai. Pataisykite jas.</translation>
    </message>
</context>
<context>
    <name>QCupsJobWidget</name>
    <message>
        <source>Job Control</source>
        <translation>Užduoties valdymas</translation>
    </message>
    <message>
        <source>Scheduled printing:</source>
        <translation>Spausdinimo laikas:</translation>
    </message>
    <message>
        <source>Billing information:</source>
        <translation>Apmokėjimo informacija:</translation>
    </message>
    <message>
        <source>Job priority:</source>
        <translation>Užduoties prioritetas:</translation>
    </message>
    <message>
        <source>Banner Pages</source>
        <translation>Antraštiniai lapai</translation>
    </message>
    <message>
        <source>Start:</source>
        <translation>Pradžioje:</translation>
    </message>
    <message>
        <source>End:</source>
        <translation>Pabaigoje:</translation>
    </message>
    <message>
        <source>Print Immediately</source>
        <translation>Spausdinti iš karto</translation>
    </message>
    <message>
        <source>Hold Indefinitely</source>
        <translation>Sulaikyti neribotam laikui</translation>
    </message>
    <message>
        <source>Day (06:00 to 17:59)</source>
        <translation>Dieną (06:00–17:59)</translation>
    </message>
    <message>
        <source>Night (18:00 to 05:59)</source>
        <translation>Naktį (18:00–05:59)</translation>
    </message>
    <message>
        <source>Second Shift (16:00 to 23:59)</source>
        <translation>Antrąja pamaina (16:00–23:59)</translation>
    </message>
    <message>
        <source>Third Shift (00:00 to 07:59)</source>
        <translation>Trečiąja pamaina (00:00–07:59)</translation>
    </message>
    <message>
        <source>Weekend (Saturday to Sunday)</source>
        <translation>Savaitgalį (šeštadienį–sekmadienį)</translation>
    </message>
    <message>
        <source>Specific Time</source>
        <translation>Nurodytu laiku</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Nėra</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Standartinis</translation>
    </message>
    <message>
        <source>Unclassified</source>
        <translation>Neslaptas</translation>
    </message>
    <message>
        <source>Confidential</source>
        <translation>Konfidencialus</translation>
    </message>
    <message>
        <source>Classified</source>
        <translation>Įslaptintas</translation>
    </message>
    <message>
        <source>Secret</source>
        <translation>Slaptas</translation>
    </message>
    <message>
        <source>Top Secret</source>
        <translation>Visiškai slaptas</translation>
    </message>
</context>
</TS>
