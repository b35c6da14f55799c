<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB" sourcelanguage="pl_PL">
<context>
    <name>AlarmMode</name>
    <message>
        <source>0 wyłączony</source>
        <translation>0 off</translation>
    </message>
    <message>
        <source>1 górny</source>
        <translation>1 top</translation>
    </message>
    <message>
        <source>2 dolny</source>
        <translation>2 bottom</translation>
    </message>
    <message>
        <source>3 pomiędzy</source>
        <translation>3 inside</translation>
    </message>
    <message>
        <source>4 poza</source>
        <translation>4 outside</translation>
    </message>
    <message>
        <source>5 górny z histerezą</source>
        <translation>5 heating</translation>
    </message>
    <message>
        <source>6 dolny z histerezą</source>
        <translation>6 cooling</translation>
    </message>
</context>
<context>
    <name>ChartPage</name>
    <message>
        <source>Wykres wilgotności i temperatury</source>
        <translation>Humidity and temperature chart</translation>
    </message>
    <message>
        <source>Zapisz obraz…</source>
        <translation>Save image…</translation>
    </message>
    <message>
        <source>Eksportuj dane…</source>
        <translation>Export data…</translation>
    </message>
    <message>
        <source>Pokaż wszystko</source>
        <translation>Show all</translation>
    </message>
    <message>
        <source>Zapisz obraz</source>
        <translation>Save image</translation>
    </message>
    <message>
        <source>Obraz PNG (*.png);;Dokument PDF (*.pdf)</source>
        <translation>PNG image (*.png);;PDF document (*.pdf)</translation>
    </message>
    <message>
        <source>Eksportuj dane</source>
        <translation>Export data</translation>
    </message>
    <message>
        <source>Plik CSV (*.csv)</source>
        <translation>CSV file (*.csv)</translation>
    </message>
    <message>
        <source>Nie można zapisać obrazu w pliku %1</source>
        <translation>Cannot save the image in the file %1</translation>
    </message>
    <message>
        <source>Eksportowanie danych…</source>
        <translation>Exporting data…</translation>
    </message>
    <message>
        <source>Anuluj</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Nie można wyeksportować danych do pliku %1: %2</source>
        <translation>Cannot export the data to the file %1: %2</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Nie można podać razem %1 i %2</source>
        <translation>%1 and %2 cannot be given together</translation>
    </message>
    <message>
        <source>%1 dotyczy pomiaru, nie --dump-logger ani --read-settings</source>
        <translation>%1 goes with measuring, not with --dump-logger or --read-settings</translation>
    </message>
    <message>
        <source>%1 działa tylko z --headless</source>
        <translation>%1 needs --headless</translation>
    </message>
    <message>
        <source>%1 wymaga pliku</source>
        <translation>%1 needs a file</translation>
    </message>
    <message>
        <source>%1 wymaga ścieżki</source>
        <translation>%1 needs a path</translation>
    </message>
    <message>
        <source>%1 wymaga katalogu</source>
        <translation>%1 needs a directory</translation>
    </message>
    <message>
        <source>%1 wymaga [ADRES:]PORT</source>
        <translation>%1 needs [ADDRESS:]PORT</translation>
    </message>
    <message>
        <source>%1 wymaga mqtt://HOST[:PORT]/PREFIKS</source>
        <translation>%1 needs mqtt://HOST[:PORT]/PREFIX</translation>
    </message>
    <message>
        <source>%1 wymaga liczby sekund</source>
        <translation>%1 needs a number of seconds</translation>
    </message>
    <message>
        <source>--duration wymaga całkowitej liczby sekund od 1 do %1, a nie &quot;%2&quot;</source>
        <translation>--duration needs a whole number of seconds from 1 to %1, not &quot;%2&quot;</translation>
    </message>
    <message>
        <source>nieznany argument: %1</source>
        <translation>unknown argument: %1</translation>
    </message>
    <message>
        <source>%1 wymaga liczby od %2 do %3, a nie &quot;%4&quot;</source>
        <translation>%1 needs a number from %2 to %3, not &quot;%4&quot;</translation>
    </message>
    <message>
        <source>%1 wymaga liczby większej od %2 i najwyżej %3, a nie &quot;%4&quot;</source>
        <translation>%1 needs a number above %2 to %3, not &quot;%4&quot;</translation>
    </message>
    <message>
        <source>%1 wymaga ciśnienia w hPa</source>
        <translation>%1 needs a pressure in hPa</translation>
    </message>
    <message>
        <source>%1 wymaga liczby stopni</source>
        <translation>%1 needs a number of degrees</translation>
    </message>
    <message>
        <source>%1 wymaga liczby stopni na godzinę</source>
        <translation>%1 needs a number of degrees per hour</translation>
    </message>
    <message>
        <source>Kod wyjścia z --headless: 0 gotowe lub zatrzymane sygnałem, 1 nie można było
zapisać pliku lub udostępnić metryk albo odpowiedź urządzenia była niepełna,
2 błędne opcje lub plik --config, 3 nie znaleziono urządzenia (każdy
sprawdzony port i przyczyna na standardowym wyjściu błędów), 4 z --until-stable
i --duration punkt rosy nie ustabilizował się.
</source>
        <translation>Exit status of --headless: 0 done or stopped by a signal, 1 a file could not be
written, the metrics could not be served or the instrument&apos;s answer was
incomplete, 2 bad options or --config file, 3 no instrument found (each port
tried and why it failed on standard error), 4 with --until-stable and
--duration, the dew point never stable.
</translation>
    </message>
    <message>
        <source>%1 wymaga nazwy</source>
        <translation>%1 needs a name</translation>
    </message>
    <message>
        <source>%1 wymaga hasła</source>
        <translation>%1 needs a password</translation>
    </message>
    <message>
        <source>Użycie: %1 [--config PLIK] [--port ŚCIEŻKA]...
          [--csv-dir KATALOG | --no-csv]
          [--metrics [ADRES:]PORT [--metrics-web-config PLIK]]
          [--mqtt mqtt[s]://HOST[:PORT]/PREFIKS [--mqtt-user NAZWA]
           [--mqtt-password-file PLIK] [--mqtt-ca PLIK]
           [--mqtt-cert PLIK --mqtt-key PLIK]]
       %1 --headless [--config PLIK] [--port ŚCIEŻKA]... [--quiet]
                     [--duration SEKUNDY] [--csv-dir KATALOG | --no-csv]
                     [--metrics [ADRES:]PORT ...]
                     [--mqtt mqtt[s]://HOST[:PORT]/PREFIKS ...]
       %1 --headless [--config PLIK] [--port ŚCIEŻKA]...
                     --dump-logger | --read-settings
       %1 [--headless] ... [--pressure HPA]
       %1 --headless ... [--until-stable] [--stable-window SEKUNDY]
                     [--stable-band STOPNIE] [--stable-drift STOPNIE_NA_H]
       %1 --help | --version
Klient higrometru z lustrem chłodzonym: okno, a z --headless praca
bez ekranu.
</source>
        <translation>Usage: %1 [--config FILE] [--port PATH]...
          [--csv-dir DIR | --no-csv]
          [--metrics [ADDRESS:]PORT [--metrics-web-config FILE]]
          [--mqtt mqtt[s]://HOST[:PORT]/PREFIX [--mqtt-user NAME]
           [--mqtt-password-file FILE] [--mqtt-ca FILE]
           [--mqtt-cert FILE --mqtt-key FILE]]
       %1 --headless [--config FILE] [--port PATH]... [--quiet]
                     [--duration SECONDS] [--csv-dir DIR | --no-csv]
                     [--metrics [ADDRESS:]PORT ...]
                     [--mqtt mqtt[s]://HOST[:PORT]/PREFIX ...]
       %1 --headless [--config FILE] [--port PATH]...
                     --dump-logger | --read-settings
       %1 [--headless] ... [--pressure HPA]
       %1 --headless ... [--until-stable] [--stable-window SECONDS]
                     [--stable-band DEGREES] [--stable-drift DEGREES_PER_HOUR]
       %1 --help | --version
Client for the chilled-mirror dew-point hygrometer: a window, or with
--headless no display at all.
</translation>
    </message>
    <message>
        <source>%1 działa tylko z %2</source>
        <translation>%1 goes with %2</translation>
    </message>
    <message>
        <source>PLIK</source>
        <translation>FILE</translation>
    </message>
    <message>
        <source>SEKUNDY</source>
        <translation>SECONDS</translation>
    </message>
    <message>
        <source>weź opcje z PLIKU: wiersze &quot;klucz = wartość&quot;, gdzie klucz to
długa opcja bez &quot;--&quot;, a opcja bez wartości to sam klucz;
# zaczyna komentarz; opcje wiersza poleceń mają pierwszeństwo</source>
        <translation>read options from FILE: lines &quot;key = value&quot; whose key is a
long option without &quot;--&quot;, an option without a value its key
alone; # begins a comment; the command line wins over FILE</translation>
    </message>
    <message>
        <source>ŚCIEŻKA</source>
        <translation>PATH</translation>
    </message>
    <message>
        <source>przy łączeniu próbuj tego portu szeregowego (można
powtarzać, w podanej kolejności; zastępuje listę portów
zgłaszanych przez system); rfc2217://HOST:PORT lub
tcp://HOST:PORT dla serwera portów szeregowych (RFC 2217
lub surowy TCP)</source>
        <translation>try this serial port when connecting (repeatable, in the
order given; replaces the list of serial ports the system
reports); rfc2217://HOST:PORT or tcp://HOST:PORT for a serial
device server (RFC 2217 or raw TCP)</translation>
    </message>
    <message>
        <source>KATALOG</source>
        <translation>DIR</translation>
    </message>
    <message>
        <source>zapisuj datowany zapis hygrometer-YYYYMMDD-HHMMSS.csv
w KATALOGU zamiast w katalogu roboczym</source>
        <translation>write the dated record hygrometer-YYYYMMDD-HHMMSS.csv into
DIR instead of the working directory</translation>
    </message>
    <message>
        <source>nie twórz datowanego zapisu</source>
        <translation>write no dated record</translation>
    </message>
    <message>
        <source>[ADRES:]PORT</source>
        <translation>[ADDRESS:]PORT</translation>
    </message>
    <message>
        <source>udostępniaj odczyty Prometheusowi pod adresem
http://ADRES:PORT/metrics; bez ADRESU 127.0.0.1, więc
dostęp ma tylko ten komputer (0.0.0.0 lub [::]: każda
sieć); PORT 0 wybiera wolny port</source>
        <translation>serve the readings for Prometheus at
http://ADDRESS:PORT/metrics; ADDRESS is 127.0.0.1 when left
out, so only this machine reaches it (0.0.0.0 or [::]: every
network); PORT 0 takes a free port</translation>
    </message>
    <message>
        <source>kto może czytać metryki i jak: PLIK w formacie konfiguracji
WWW eksporterów Prometheusa: basic_auth_users (skróty
bcrypt), tls_server_config (HTTPS, certyfikaty klientów)</source>
        <translation>who may read the metrics and how: FILE in the web
configuration format of Prometheus&apos;s exporters:
basic_auth_users (bcrypt hashes), tls_server_config
(HTTPS, client certificates)</translation>
    </message>
    <message>
        <source>mqtt://HOST[:PORT]/PREFIKS</source>
        <translation>mqtt://HOST[:PORT]/PREFIX</translation>
    </message>
    <message>
        <source>publikuj każdą próbkę jako JSON w PREFIKS/&lt;numer&gt;/sample,
a stan połączenia, zachowywany, w PREFIKS/&lt;numer&gt;/status
(numer seryjny urządzenia) na tym brokerze MQTT (bez PORTU
1883); niedostępny broker jest ponawiany w tle</source>
        <translation>publish every sample as JSON to PREFIX/&lt;serial&gt;/sample and
the connection&apos;s state, retained, to PREFIX/&lt;serial&gt;/status
on that MQTT broker (PORT 1883 when left out); a broker that
is down is tried again in the background</translation>
    </message>
    <message>
        <source>mqtts://HOST[:PORT]/PREFIKS</source>
        <translation>mqtts://HOST[:PORT]/PREFIX</translation>
    </message>
    <message>
        <source>to samo przez TLS (bez PORTU 8883): certyfikat brokera musi
być podpisany przez urząd certyfikacji systemu
(/etc/ssl/certs) i wystawiony dla HOSTA</source>
        <translation>the same over TLS (PORT 8883 when left out): the broker&apos;s
certificate must be signed by an authority of the system&apos;s
(/etc/ssl/certs) and issued for HOST</translation>
    </message>
    <message>
        <source>z mqtts: ufaj zamiast tego urzędom z PLIKU</source>
        <translation>with mqtts: trust the authorities in FILE instead</translation>
    </message>
    <message>
        <source>NAZWA</source>
        <translation>NAME</translation>
    </message>
    <message>
        <source>loguj się do brokera jako NAZWA</source>
        <translation>log in to the broker as NAME</translation>
    </message>
    <message>
        <source>hasło to pierwszy wiersz PLIKU (nigdy nie podawaj go
w wierszu poleceń, który widzi każdy użytkownik)</source>
        <translation>the password is FILE&apos;s first line (never give it on the
command line, where every user sees it)</translation>
    </message>
    <message>
        <source>HASŁO</source>
        <translation>PASSWORD</translation>
    </message>
    <message>
        <source>tylko w pliku --config (wiersz poleceń widzi każdy
użytkownik): samo hasło, zamiast --mqtt-password-file;
plik musi być wtedy niedostępny dla innych niż właściciel
i grupa</source>
        <translation>only in a --config file (every user sees a command line):
the password itself, instead of --mqtt-password-file; the
file may then be read by its owner and group alone</translation>
    </message>
    <message>
        <source>z mqtts: certyfikat tego klienta i jego klucz (PEM)</source>
        <translation>with mqtts: this client&apos;s certificate and its key (PEM)</translation>
    </message>
    <message>
        <source>bez okna: połącz od razu, wypisz identyfikator i wersję,
zapisuj każdą próbkę do %1 (i do datowanego zapisu) aż
do SIGINT lub SIGTERM, łącząc ponownie po odłączeniu</source>
        <translation>no window: connect at once, print the identification and the
version, log every sample to %1 (and the dated record)
until SIGINT or SIGTERM, reconnecting after an unplug</translation>
    </message>
    <message>
        <source>z --headless: zakończ samodzielnie po SEKUNDACH</source>
        <translation>with --headless: stop by itself after SECONDS</translation>
    </message>
    <message>
        <source>z --headless: po starcie nic na standardowe wyjście
(problemy nadal na standardowe wyjście błędów)</source>
        <translation>with --headless: nothing on standard output after the start
(problems still go to standard error)</translation>
    </message>
    <message>
        <source>z --headless: zapisz 256 rekordów rejestratora urządzenia
do %1 i zakończ (postęp na standardowe wyjście
błędów, gdy jest terminalem); bez pomiaru</source>
        <translation>with --headless: write the instrument&apos;s 256 logger records
to %1, then end (progress on standard error when it
is a terminal); nothing is measured</translation>
    </message>
    <message>
        <source>z --headless: wypisz ustawienia urządzenia jako wiersze
&quot;nazwa = wartość&quot; i zakończ; bez pomiaru</source>
        <translation>with --headless: print the instrument&apos;s settings as
&quot;name = value&quot; lines, then end; nothing is measured</translation>
    </message>
    <message>
        <source>HPA</source>
        <translation>HPA</translation>
    </message>
    <message>
        <source>ciśnienie w hPa dla wielkości wilgotności (stosunek
zmieszania, ppmv, ciśnienie pary); ma pierwszeństwo przed
ustawieniem urządzenia, używanym bez tej opcji (do odczytu
ustawień: 1013.25)</source>
        <translation>the pressure, in hPa, of the humidity quantities (mixing
ratio, ppmv, vapour pressure); wins over the instrument&apos;s
setting, which is used when this is left out (until it is
read: 1013.25)</translation>
    </message>
    <message>
        <source>z --headless: zakończ, gdy punkt rosy jest stabilny, i wypisz
w jednym wierszu średnią, odchylenie, dryf, liczbę próbek,
czas i wielkości przy średniej; z --duration kod wyjścia 4,
gdy nie ustabilizuje się</source>
        <translation>with --headless: end once the dew point is stable, printing
its mean, sd, drift, sample count, time span and the
quantities at the mean on one line; with --duration, exit
status 4 when it never is</translation>
    </message>
    <message>
        <source>z --headless: okno stabilności (domyślnie 600)</source>
        <translation>with --headless: the stability window (default 600)</translation>
    </message>
    <message>
        <source>STOPNIE</source>
        <translation>DEGREES</translation>
    </message>
    <message>
        <source>z --headless: największa rozpiętość punktu rosy w oknie,
przy której jest stabilny (domyślnie 0.10)</source>
        <translation>with --headless: the largest peak-to-peak of the dew point
in the window that is stable (default 0.10)</translation>
    </message>
    <message>
        <source>STOPNIE_NA_H</source>
        <translation>DEGREES_PER_HOUR</translation>
    </message>
    <message>
        <source>z --headless: największy dryf stabilnego punktu rosy
(domyślnie 0.20)</source>
        <translation>with --headless: the largest drift that is stable (default
0.20)</translation>
    </message>
    <message>
        <source>wypisz nazwę i wersję programu</source>
        <translation>print the program&apos;s name and version</translation>
    </message>
    <message>
        <source>pokaż ten tekst</source>
        <translation>show this text</translation>
    </message>
</context>
<context>
    <name>ConfigFile</name>
    <message>
        <source>wiersz nie jest tekstem UTF-8</source>
        <translation>the line is not UTF-8 text</translation>
    </message>
    <message>
        <source>&quot;%1&quot; nie jest kluczem: kluczem jest długa opcja bez &quot;--&quot;, np. &quot;port = /dev/ttyUSB0&quot;</source>
        <translation>&quot;%1&quot; is not a key: a key is a long option without &quot;--&quot;, such as &quot;port = /dev/ttyUSB0&quot;</translation>
    </message>
    <message>
        <source>wartość %1 zawiera znak sterujący</source>
        <translation>the value of %1 holds a control character</translation>
    </message>
    <message>
        <source>%1 nie przyjmuje wartości: sam klucz w wierszu ją włącza</source>
        <translation>%1 takes no value: its key alone on a line turns it on</translation>
    </message>
    <message>
        <source>nieznany klucz: %1</source>
        <translation>unknown key: %1</translation>
    </message>
    <message>
        <source>--%1 może być tylko w pliku --config: wiersz poleceń widzi każdy użytkownik komputera</source>
        <translation>--%1 can only be set in a --config file: every user of the machine can read the command line</translation>
    </message>
    <message>
        <source>%1 działa tylko w wierszu poleceń</source>
        <translation>%1 belongs on the command line only</translation>
    </message>
    <message>
        <source>%1: nie można odczytać pliku (%2)</source>
        <translation>%1: cannot read the file (%2)</translation>
    </message>
    <message>
        <source>%1: to nie plik konfiguracji, ma ponad %2 bajtów</source>
        <translation>%1: not a configuration file, it has more than %2 bytes</translation>
    </message>
</context>
<context>
    <name>Connect</name>
    <message>
        <source>%1: nie można otworzyć (%2)</source>
        <translation>%1: could not be opened (%2)</translation>
    </message>
    <message>
        <source>%1: nieznana odpowiedź &quot;%2&quot;</source>
        <translation>%1: unknown reply &quot;%2&quot;</translation>
    </message>
    <message>
        <source>%1: zidentyfikowano</source>
        <translation>%1: identified</translation>
    </message>
    <message>
        <source>%1: brak odpowiedzi</source>
        <translation>%1: no answer</translation>
    </message>
    <message>
        <source>Identyfikator urzadzenia  :</source>
        <translation>Found device  :</translation>
    </message>
    <message>
        <source>Pomiar trwa</source>
        <translation>Measuring</translation>
    </message>
    <message>
        <source>Urządzenie nie odpowiada !</source>
        <translation>Device not found !</translation>
    </message>
    <message>
        <source>Brak połączenia z urządzeniem: najpierw naciśnij „Połącz”.</source>
        <translation>No instrument connected: press &quot;Connect&quot; first.</translation>
    </message>
    <message>
        <source>KRT-10 wersja: %1 rewizja: %2 numer seyjny: %3</source>
        <translation>KRT-10 version: %1 rev.: %2 serial number: %3</translation>
    </message>
    <message>
        <source>Nie znaleziono żadnego portu szeregowego.</source>
        <translation>No serial port was found to try.</translation>
    </message>
    <message>
        <source>nieznana nazwa</source>
        <translation>Name or service not known</translation>
    </message>
    <message>
        <source>serwer nazw chwilowo nie odpowiada</source>
        <translation>Temporary failure in name resolution</translation>
    </message>
    <message>
        <source>to nie jest port szeregowy</source>
        <translation>not a serial device</translation>
    </message>
    <message>
        <source>zajęty przez inny program</source>
        <translation>in use by another program</translation>
    </message>
    <message>
        <source>to nie jest port sieciowy (rfc2217://HOST:PORT lub tcp://HOST:PORT)</source>
        <translation>not a network port (rfc2217://HOST:PORT or tcp://HOST:PORT)</translation>
    </message>
    <message>
        <source>nie znaleziono hosta %1: %2</source>
        <translation>cannot find host %1: %2</translation>
    </message>
    <message>
        <source>serwer nie odpowiada</source>
        <translation>no answer from the server</translation>
    </message>
    <message>
        <source>serwer zamknął połączenie</source>
        <translation>the server closed the connection</translation>
    </message>
    <message>
        <source>to nie jest serwer RFC 2217; użyj tcp://</source>
        <translation>not an RFC 2217 server; use tcp://</translation>
    </message>
    <message>
        <source>przerwano</source>
        <translation>stopped</translation>
    </message>
    <message>
        <source>%1: serwer nie przyjmuje ustawień linii szeregowej (RFC 2217); jego linia musi już mieć %2 bodów 8N1</source>
        <translation>%1: the server does not take serial line settings (RFC 2217); its line must already be set to %2 baud 8N1</translation>
    </message>
    <message>
        <source>%1: serwer przysyła znacznie więcej, niż linia %2 bodów może przenieść; to nie jest przyrząd: połączenie zamknięto</source>
        <translation>%1: the server sends far more than a %2-baud line can carry; not an instrument: connection closed</translation>
    </message>
</context>
<context>
    <name>FileErrors</name>
    <message>
        <source>Nie znaleziono pliku</source>
        <translation>File not found</translation>
    </message>
    <message>
        <source>Nieprawidłowa nazwa pliku</source>
        <translation>Invalid filename</translation>
    </message>
    <message>
        <source>Zbyt wiele otwartych plików</source>
        <translation>Too many open files</translation>
    </message>
    <message>
        <source>Brak dostępu do pliku</source>
        <translation>File access denied</translation>
    </message>
    <message>
        <source>Dysk pełny</source>
        <translation>Disk full</translation>
    </message>
    <message>
        <source>Błąd wejścia/wyjścia %1</source>
        <translation>I/O error %1</translation>
    </message>
</context>
<context>
    <name>Headless</name>
    <message>
        <source>Pomiar trwa: %1, log %2</source>
        <translation>Measuring on %1, log %2</translation>
    </message>
    <message>
        <source>Poprzedni log zachowano jako %1</source>
        <translation>The previous log was kept as %1</translation>
    </message>
    <message>
        <source>Zapis CSV: %1</source>
        <translation>CSV record: %1</translation>
    </message>
    <message>
        <source>%1  %2  punkt rosy %3  otoczenie %4  wilgotność %5 %</source>
        <translation>%1  %2  dew point %3  ambient %4  RH %5 %</translation>
    </message>
    <message>
        <source>Zatrzymano; zapisanych próbek: %1</source>
        <translation>Stopped; samples logged: %1</translation>
    </message>
    <message>
        <source>Urządzenie nie odpowiada; pomiar trwa dalej, gdy odpowie</source>
        <translation>The instrument does not answer; measuring goes on when it does</translation>
    </message>
    <message>
        <source>Urządzenie znów odpowiada</source>
        <translation>The instrument answers again</translation>
    </message>
    <message>
        <source>Utracono połączenie z %1; ponawianie co %2 s</source>
        <translation>Connection to %1 lost; trying again every %2 s</translation>
    </message>
    <message>
        <source>Połączono ponownie: %1</source>
        <translation>Connected again on %1</translation>
    </message>
    <message>
        <source>%1: %2; brak pomiaru</source>
        <translation>%1: %2; nothing is measured</translation>
    </message>
    <message>
        <source>Urządzenie nie przesłało wszystkich ustawień</source>
        <translation>The instrument did not send all of its settings</translation>
    </message>
    <message>
        <source>Nie można odbierać SIGINT i SIGTERM; nic nie uruchomiono</source>
        <translation>SIGINT and SIGTERM cannot be received; nothing was started</translation>
    </message>
    <message>
        <source>Rekord %1 z %2</source>
        <translation>Record %1 of %2</translation>
    </message>
    <message>
        <source>Zapisano rekordów: %1 do %2</source>
        <translation>%1 records written to %2</translation>
    </message>
    <message>
        <source>Punkt rosy nie ustabilizował się w ciągu %1 s</source>
        <translation>The dew point did not become stable within %1 s</translation>
    </message>
    <message>
        <source>Zakończono, zanim którykolwiek port się zidentyfikował.</source>
        <translation>Ended before any port identified itself.</translation>
    </message>
</context>
<context>
    <name>HygrometerPage</name>
    <message>
        <source>Temperatura punktu rosy</source>
        <comment>Label10</comment>
        <translation>Dew Point Temperature</translation>
    </message>
    <message>
        <source>Temperatura otoczenia</source>
        <comment>Label11</comment>
        <translation>Ambient temperature</translation>
    </message>
    <message>
        <source>Wilgotność względna [%]</source>
        <comment>Label8</comment>
        <translation>Relative humidity [%]</translation>
    </message>
    <message>
        <source>Połącz</source>
        <comment>Connect</comment>
        <translation>Connect</translation>
    </message>
    <message>
        <source>Wczytaj wykres</source>
        <comment>Button1</comment>
        <translation>Load chart</translation>
    </message>
    <message>
        <source>Czas pracy</source>
        <comment>Label35</comment>
        <translation>Run time</translation>
    </message>
    <message>
        <source>Status</source>
        <comment>Label16</comment>
        <translation>State:</translation>
    </message>
    <message>
        <source>Urzadzenie:</source>
        <comment>Label34</comment>
        <translation>Instrument:</translation>
    </message>
    <message>
        <source>Temperatura lustra</source>
        <comment>Label23</comment>
        <translation>Mirror temperature</translation>
    </message>
    <message>
        <source>Temperatura glowicy</source>
        <comment>Label22</comment>
        <translation>Head temperature</translation>
    </message>
    <message>
        <source>Szron</source>
        <comment>Label21</comment>
        <translation>Frost</translation>
    </message>
    <message>
        <source>Zaroszenie lustra [jp]</source>
        <comment>Label12</comment>
        <translation>Mirror dew level [units]</translation>
    </message>
    <message>
        <source>Moc peltiera [jp]</source>
        <comment>Label13</comment>
        <translation>Peltier power</translation>
    </message>
    <message>
        <source>Wyjscie 1 [mA]</source>
        <comment>Label14</comment>
        <translation>Output 1 [mA]</translation>
    </message>
    <message>
        <source>Wyjscie 2 [mA]</source>
        <comment>Label15</comment>
        <translation>Output 2 [mA]</translation>
    </message>
</context>
<context>
    <name>LogFiles</name>
    <message>
        <source>%1: %2; wierszy czekających w pamięci: %3, pomiar trwa dalej</source>
        <translation>%1: %2; lines held in memory: %3, measuring goes on</translation>
    </message>
    <message>
        <source>%1 znów zapisywany: wierszy dopisanych z opóźnieniem: %2, utraconych: %3</source>
        <translation>%1 written again: %2 lines written late, %3 dropped</translation>
    </message>
    <message>
        <source>%1 został usunięty; zaczęto go od nowa od próbki %2</source>
        <translation>%1 was removed; started again at sample %2</translation>
    </message>
    <message>
        <source>%1: utracono wierszy: %2</source>
        <translation>%1: %2 lines lost</translation>
    </message>
</context>
<context>
    <name>LoggerDump</name>
    <message>
        <source>Połączenie z urządzeniem zostało przerwane przy rekordzie %1. </source>
        <translation>The connection to the instrument was lost at record %1. </translation>
    </message>
    <message>
        <source>Plik %1 jest pusty.</source>
        <translation>%1 is empty.</translation>
    </message>
    <message>
        <source>Plik %1 zawiera rekord 0.</source>
        <translation>%1 holds record 0.</translation>
    </message>
    <message>
        <source>Plik %1 zawiera rekordy od 0 do %2.</source>
        <translation>%1 holds records 0 to %2.</translation>
    </message>
</context>
<context>
    <name>LoggerPage</name>
    <message>
        <source>Numer</source>
        <comment>Label42</comment>
        <translation>Number</translation>
    </message>
    <message>
        <source>ID obiektu</source>
        <comment>Label41</comment>
        <translation>Object ID</translation>
    </message>
    <message>
        <source>Wilgotnosc</source>
        <comment>Label36</comment>
        <translation>Humidity</translation>
    </message>
    <message>
        <source>Temperatura</source>
        <comment>Label37</comment>
        <translation>Temperature</translation>
    </message>
    <message>
        <source>Data</source>
        <comment>Label40</comment>
        <translation>Data</translation>
    </message>
    <message>
        <source>Czas</source>
        <comment>Label39</comment>
        <translation>Time</translation>
    </message>
    <message>
        <source>Status</source>
        <comment>Label38</comment>
        <translation>Status</translation>
    </message>
    <message>
        <source>Wprowadx numer rekordu</source>
        <comment>Label43</comment>
        <translation>Enter Number of Record</translation>
    </message>
    <message>
        <source>Wczytaj dane</source>
        <comment>Button3</comment>
        <translation>Load data</translation>
    </message>
    <message>
        <source>Zapisz dane w pliku</source>
        <comment>Button4</comment>
        <translation>Save all records to file</translation>
    </message>
    <message>
        <source>Rejestrator</source>
        <translation>Logger</translation>
    </message>
    <message>
        <source>Zapisano %1 rekordów w pliku %2.</source>
        <translation>%1 records written to %2.</translation>
    </message>
</context>
<context>
    <name>MetricsAddress</name>
    <message>
        <source>--metrics wymaga [ADRES:]PORT z adresem IPv6 w postaci [::1]:PORT, a nie &quot;%1&quot;</source>
        <translation>--metrics needs [ADDRESS:]PORT with an IPv6 address as [::1]:PORT, not &quot;%1&quot;</translation>
    </message>
    <message>
        <source>--metrics wymaga [ADRES:]PORT z adresem liczbowym, np. 0.0.0.0 lub [::1], a nie &quot;%1&quot;</source>
        <translation>--metrics needs [ADDRESS:]PORT with a numeric address such as 0.0.0.0 or [::1], not &quot;%1&quot;</translation>
    </message>
    <message>
        <source>--metrics wymaga numeru portu od 0 do 65535, a nie &quot;%1&quot;</source>
        <translation>--metrics needs a port number from 0 to 65535, not &quot;%1&quot;</translation>
    </message>
</context>
<context>
    <name>MetricsHttpServer</name>
    <message>
        <source>serwer HTTP (libmicrohttpd) nie wystartował</source>
        <translation>the HTTP server (libmicrohttpd) did not start</translation>
    </message>
</context>
<context>
    <name>MetricsTls</name>
    <message>
        <source>tls_server_config: nie można użyć certyfikatu %1 z kluczem %2: %3</source>
        <translation>tls_server_config: cannot use the certificate %1 with the key %2: %3</translation>
    </message>
    <message>
        <source>tls_server_config: w pliku %1 (client_ca_file) nie ma certyfikatu urzędu%2</source>
        <translation>tls_server_config: the file %1 (client_ca_file) holds no authority certificate%2</translation>
    </message>
</context>
<context>
    <name>MetricsWebConfig</name>
    <message>
        <source>klucz %1 po raz drugi</source>
        <translation>the key %1 a second time</translation>
    </message>
    <message>
        <source>nieobsługiwany klucz %1 (obsługiwane: tls_server_config, basic_auth_users)</source>
        <translation>unsupported key %1 (supported: tls_server_config, basic_auth_users)</translation>
    </message>
    <message>
        <source>%1: brak wartości</source>
        <translation>%1: no value</translation>
    </message>
    <message>
        <source>basic_auth_users: hasło użytkownika %1 nie jest skrótem bcrypt ($2b$…, $2y$…)</source>
        <translation>basic_auth_users: the password of user %1 is not a bcrypt hash ($2b$…, $2y$…)</translation>
    </message>
    <message>
        <source>tls_server_config wymaga cert_file i key_file</source>
        <translation>tls_server_config needs cert_file and key_file</translation>
    </message>
    <message>
        <source>--metrics-web-config: nie można czytać pliku %1: %2</source>
        <translation>--metrics-web-config: cannot read the file %1: %2</translation>
    </message>
    <message>
        <source>--metrics-web-config: plik %1 jest za duży na konfigurację</source>
        <translation>--metrics-web-config: the file %1 is too large for a configuration</translation>
    </message>
    <message>
        <source>%1, wiersz %2: %3</source>
        <translation>%1, line %2: %3</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1: nie można czytać pliku %2</source>
        <translation>%1: cannot read the file %2</translation>
    </message>
    <message>
        <source>oczekiwano par &quot;klucz: wartość&quot;</source>
        <translation>&quot;key: value&quot; pairs expected</translation>
    </message>
    <message>
        <source>%1: oczekiwano par &quot;klucz: wartość&quot;</source>
        <translation>%1: &quot;key: value&quot; pairs expected</translation>
    </message>
    <message>
        <source>klucz nie jest tekstem</source>
        <translation>a key that is not text</translation>
    </message>
    <message>
        <source>%1: oczekiwano jednej wartości, a nie listy ani mapy</source>
        <translation>%1: one value expected, not a list or a mapping</translation>
    </message>
    <message>
        <source>tls_server_config: nieobsługiwany klucz %1 (obsługiwane: cert_file, key_file, client_auth_type, client_ca_file, min_version, max_version)</source>
        <translation>tls_server_config: unsupported key %1 (supported: cert_file, key_file, client_auth_type, client_ca_file, min_version, max_version)</translation>
    </message>
    <message>
        <source>tls_server_config: nieznany client_auth_type %1 (znane: NoClientCert, RequestClientCert, RequireAnyClientCert, VerifyClientCertIfGiven, RequireAndVerifyClientCert)</source>
        <translation>tls_server_config: unknown client_auth_type %1 (known: NoClientCert, RequestClientCert, RequireAnyClientCert, VerifyClientCertIfGiven, RequireAndVerifyClientCert)</translation>
    </message>
    <message>
        <source>tls_server_config: nieznana wersja %1 w %2 (znane: TLS10, TLS11, TLS12, TLS13)</source>
        <translation>tls_server_config: unknown version %1 in %2 (known: TLS10, TLS11, TLS12, TLS13)</translation>
    </message>
    <message>
        <source>tls_server_config: client_auth_type %1 wymaga client_ca_file</source>
        <translation>tls_server_config: client_auth_type %1 needs client_ca_file</translation>
    </message>
    <message>
        <source>tls_server_config: client_ca_file bez client_auth_type</source>
        <translation>tls_server_config: client_ca_file without client_auth_type</translation>
    </message>
    <message>
        <source>tls_server_config: min_version wyższa niż max_version</source>
        <translation>tls_server_config: min_version higher than max_version</translation>
    </message>
    <message>
        <source>to nie jest poprawny YAML: %1</source>
        <translation>this is not valid YAML: %1</translation>
    </message>
</context>
<context>
    <name>MqttAddress</name>
    <message>
        <source>--mqtt wymaga mqtt://HOST[:PORT]/PREFIKS, a nie &quot;%1&quot;: %2</source>
        <translation>--mqtt needs mqtt://HOST[:PORT]/PREFIX, not &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>adres zaczyna się od mqtt:// lub mqtts://</source>
        <translation>it begins with mqtt:// or mqtts://</translation>
    </message>
    <message>
        <source>adres IPv6 podaje się w nawiasach: [::1]</source>
        <translation>an IPv6 address goes in brackets: [::1]</translation>
    </message>
    <message>
        <source>brak nazwy lub adresu hosta</source>
        <translation>no host name or address</translation>
    </message>
    <message>
        <source>port to liczba od 1 do 65535</source>
        <translation>the port is a number from 1 to 65535</translation>
    </message>
    <message>
        <source>PREFIKS to jeden lub więcej poziomów tematu bez + i #</source>
        <translation>PREFIX is one or more topic levels without + or #</translation>
    </message>
</context>
<context>
    <name>MqttFailure</name>
    <message>
        <source>broker nie przyjął nazwy użytkownika lub hasła</source>
        <translation>the broker did not accept the user name or password</translation>
    </message>
    <message>
        <source>broker odmówił dostępu: zła nazwa użytkownika lub hasło albo brak uprawnień</source>
        <translation>the broker refused access: a wrong user name or password, or no permission</translation>
    </message>
    <message>
        <source>broker odrzucił połączenie: %1</source>
        <translation>the broker refused the connection: %1</translation>
    </message>
    <message>
        <source>certyfikat brokera nie jest wystawiony na nazwę %1</source>
        <translation>the broker&apos;s certificate is not issued for the name %1</translation>
    </message>
    <message>
        <source>certyfikat brokera nie przeszedł sprawdzenia: nie podpisał go zaufany urząd (%1) albo stracił ważność</source>
        <translation>the broker&apos;s certificate did not pass the check: no trusted authority (%1) signed it, or it has expired</translation>
    </message>
    <message>
        <source>systemowe certyfikaty</source>
        <translation>the system&apos;s certificates</translation>
    </message>
    <message>
        <source>błąd TLS</source>
        <translation>TLS error</translation>
    </message>
    <message>
        <source>błąd TLS: %1</source>
        <translation>TLS error: %1</translation>
    </message>
    <message>
        <source>broker zamknął połączenie bez odpowiedzi</source>
        <translation>the broker closed the connection without answering</translation>
    </message>
    <message>
        <source>broker zamknął połączenie bez odpowiedzi; może przyjmuje tylko mqtts://</source>
        <translation>the broker closed the connection without answering; perhaps it takes mqtts:// only</translation>
    </message>
    <message>
        <source>broker nie obsługuje tej wersji protokołu MQTT</source>
        <translation>the broker does not accept this version of the MQTT protocol</translation>
    </message>
    <message>
        <source>broker nie przyjął identyfikatora klienta</source>
        <translation>the broker rejected the client identifier</translation>
    </message>
    <message>
        <source>broker odrzucił połączenie: usługa niedostępna</source>
        <translation>the broker refused the connection: service unavailable</translation>
    </message>
    <message>
        <source>brak pamięci</source>
        <translation>out of memory</translation>
    </message>
    <message>
        <source>błąd protokołu MQTT</source>
        <translation>MQTT protocol error</translation>
    </message>
    <message>
        <source>nieprawidłowe ustawienia połączenia z brokerem</source>
        <translation>invalid settings for the broker connection</translation>
    </message>
    <message>
        <source>brak połączenia z brokerem</source>
        <translation>not connected to the broker</translation>
    </message>
    <message>
        <source>broker odrzucił połączenie</source>
        <translation>the broker refused the connection</translation>
    </message>
    <message>
        <source>połączenie z brokerem zerwane</source>
        <translation>the connection to the broker was lost</translation>
    </message>
    <message>
        <source>wiadomość jest za duża</source>
        <translation>the message is too large</translation>
    </message>
    <message>
        <source>libmosquitto tego nie obsługuje</source>
        <translation>not supported by libmosquitto</translation>
    </message>
    <message>
        <source>broker nie przyjął logowania</source>
        <translation>the broker did not accept the login</translation>
    </message>
    <message>
        <source>broker odmówił dostępu</source>
        <translation>the broker denied access</translation>
    </message>
    <message>
        <source>nie znaleziono adresu brokera</source>
        <translation>the broker&apos;s address was not found</translation>
    </message>
    <message>
        <source>błąd serwera pośredniczącego</source>
        <translation>proxy error</translation>
    </message>
    <message>
        <source>broker przestał odpowiadać</source>
        <translation>the broker stopped answering</translation>
    </message>
    <message>
        <source>broker przysłał uszkodzony pakiet</source>
        <translation>the broker sent a malformed packet</translation>
    </message>
</context>
<context>
    <name>MqttSecurity</name>
    <message>
        <source>%1: nie ma pliku %2</source>
        <translation>%1: there is no file %2</translation>
    </message>
    <message>
        <source>%1: nie można czytać pliku %2</source>
        <translation>%1: cannot read the file %2</translation>
    </message>
    <message>
        <source>%1: pierwszy wiersz pliku %2 jest pusty, a to on jest hasłem</source>
        <translation>%1: the first line of %2 is empty, and that line is the password</translation>
    </message>
    <message>
        <source>%1 działa tylko z --mqtt</source>
        <translation>%1 goes with --mqtt only</translation>
    </message>
    <message>
        <source>%1 działa tylko z adresem mqtts://</source>
        <translation>%1 goes with an mqtts:// address only</translation>
    </message>
    <message>
        <source>--mqtt-cert i --mqtt-key podaje się razem</source>
        <translation>--mqtt-cert and --mqtt-key go together</translation>
    </message>
    <message>
        <source>hasło do MQTT wymaga też --mqtt-user</source>
        <translation>an MQTT password needs --mqtt-user as well</translation>
    </message>
    <message>
        <source>hasło do MQTT poszłoby do %1 jawnym tekstem: z hasłem podaj adres mqtts://, chyba że broker jest na tym komputerze (localhost, 127.0.0.1, ::1)</source>
        <translation>the MQTT password would go to %1 in clear text: with a password give an mqtts:// address, unless the broker is on this machine (localhost, 127.0.0.1, ::1)</translation>
    </message>
</context>
<context>
    <name>PointsBook</name>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Nie można zapisać pliku punktów %1: %2; zmiana czeka w pamięci na następny zapis.</source>
        <translation>Cannot write the points file %1: %2; the change waits in memory for the next write.</translation>
    </message>
    <message>
        <source>Osiągnięto największą liczbę punktów; punkt nie został zapisany.</source>
        <translation>The most points a file holds are reached; the point was not recorded.</translation>
    </message>
    <message>
        <source>Nie wybrano pliku punktów.</source>
        <translation>No points file is chosen.</translation>
    </message>
    <message>
        <source>Nie dodano urządzenia: nieprawidłowe dane lub zbyt wiele urządzeń.</source>
        <translation>The device was not added: its data are not valid or there are too many devices.</translation>
    </message>
    <message>
        <source>Nieprawidłowy odczyt.</source>
        <translation>Not a valid reading.</translation>
    </message>
    <message>
        <source>Nie ma takiego punktu.</source>
        <translation>There is no such point.</translation>
    </message>
</context>
<context>
    <name>PointsFile</name>
    <message>
        <source>Wiersz %1: %2</source>
        <translation>Line %1: %2</translation>
    </message>
    <message>
        <source>Nie można odczytać pliku punktów: %1.</source>
        <translation>The points file cannot be read: %1.</translation>
    </message>
    <message>
        <source>Plik punktów jest większy niż %1 MB.</source>
        <translation>The points file is larger than %1 MB.</translation>
    </message>
    <message>
        <source>dłuższy niż %1 bajtów.</source>
        <translation>longer than %1 bytes.</translation>
    </message>
    <message>
        <source>tekst nie jest zapisany w UTF-8.</source>
        <translation>the text is not in UTF-8.</translation>
    </message>
    <message>
        <source>to nie jest plik punktów (brak „#hygrometer-points”).</source>
        <translation>not a points file (no “#hygrometer-points”).</translation>
    </message>
    <message>
        <source>plik punktów w wersji %1, nowszej niż ta, którą zna program.</source>
        <translation>a points file of version %1, newer than this program knows.</translation>
    </message>
    <message>
        <source>nieznany rodzaj wiersza „%1”.</source>
        <translation>an unknown kind of line, “%1”.</translation>
    </message>
    <message>
        <source>drugi wiersz „%1”.</source>
        <translation>a second “%1” line.</translation>
    </message>
    <message>
        <source>wiersz „#” po wierszu nagłówka.</source>
        <translation>a “#” line after the header row.</translation>
    </message>
    <message>
        <source>cudzysłów nie jest zamknięty.</source>
        <translation>a quotation mark is not closed.</translation>
    </message>
    <message>
        <source>pól: %1, a powinno być %2.</source>
        <translation>%1 fields where %2 belong.</translation>
    </message>
    <message>
        <source>„%1” w kolumnie „%2” nie jest poprawną wartością.</source>
        <translation>“%1” in column “%2” is not a valid value.</translation>
    </message>
    <message>
        <source>kolumna %1 nazywa się „%2”, a powinna „%3”.</source>
        <translation>column %1 is named “%2” where “%3” belongs.</translation>
    </message>
    <message>
        <source>urządzenie nr „%1”, a powinno być nr %2.</source>
        <translation>device “%1” where device %2 belongs.</translation>
    </message>
    <message>
        <source>więcej niż %1 urządzeń.</source>
        <translation>more than %1 devices.</translation>
    </message>
    <message>
        <source>więcej niż %1 punktów.</source>
        <translation>more than %1 points.</translation>
    </message>
    <message>
        <source>Plik punktów kończy się przed wierszem nagłówka.</source>
        <translation>The points file ends before its header row.</translation>
    </message>
</context>
<context>
    <name>Quantities</name>
    <message>
        <source>poza zakresem</source>
        <translation>out of range</translation>
    </message>
    <message>
        <source>z wiersza poleceń</source>
        <translation>from the command line</translation>
    </message>
    <message>
        <source>z przyrządu</source>
        <translation>from the instrument</translation>
    </message>
    <message>
        <source>standardowe</source>
        <translation>standard</translation>
    </message>
    <message>
        <source>Niestabilny</source>
        <translation>Not stable</translation>
    </message>
    <message>
        <source>Stabilny od %1</source>
        <translation>Stable since %1</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>%1 min %2 s</source>
        <translation>%1 min %2 s</translation>
    </message>
    <message>
        <source>%1 h %2 min</source>
        <translation>%1 h %2 min</translation>
    </message>
    <message>
        <source>Punkt rosy: niestabilny</source>
        <translation>Dew point: not stable</translation>
    </message>
    <message>
        <source>Punkt rosy: stabilny od %1</source>
        <translation>Dew point: stable since %1</translation>
    </message>
</context>
<context>
    <name>QuantitiesPage</name>
    <message>
        <source>Wielkości ostatniej próbki</source>
        <translation>Quantities of the last sample</translation>
    </message>
    <message>
        <source>Punkt rosy</source>
        <translation>Dew point</translation>
    </message>
    <message>
        <source>Temperatura otoczenia</source>
        <translation>Ambient temperature</translation>
    </message>
    <message>
        <source>Ciśnienie pary wodnej</source>
        <translation>Water vapour pressure</translation>
    </message>
    <message>
        <source>Punkt szronu</source>
        <translation>Frost point</translation>
    </message>
    <message>
        <source>Wilgotność względna (obliczona)</source>
        <translation>Relative humidity (calculated)</translation>
    </message>
    <message>
        <source>Wilgotność względna nad lodem</source>
        <translation>Relative humidity over ice</translation>
    </message>
    <message>
        <source>Wilgotność bezwzględna</source>
        <translation>Absolute humidity</translation>
    </message>
    <message>
        <source>Stosunek zmieszania</source>
        <translation>Mixing ratio</translation>
    </message>
    <message>
        <source>Udział objętościowy</source>
        <translation>Volume fraction</translation>
    </message>
    <message>
        <source>Ciśnienie</source>
        <translation>Pressure</translation>
    </message>
    <message>
        <source>Okno punktu rosy</source>
        <translation>Dew point window</translation>
    </message>
    <message>
        <source>Średnia</source>
        <translation>Mean</translation>
    </message>
    <message>
        <source>Odchylenie standardowe</source>
        <translation>Standard deviation</translation>
    </message>
    <message>
        <source>Minimum</source>
        <translation>Minimum</translation>
    </message>
    <message>
        <source>Maksimum</source>
        <translation>Maximum</translation>
    </message>
    <message>
        <source>Dryf</source>
        <translation>Drift</translation>
    </message>
    <message>
        <source>Liczba próbek</source>
        <translation>Samples</translation>
    </message>
    <message>
        <source>Okres</source>
        <translation>Span</translation>
    </message>
    <message>
        <source>Kryteria stabilności</source>
        <translation>Stability criteria</translation>
    </message>
    <message>
        <source>Okno [s]</source>
        <translation>Window [s]</translation>
    </message>
    <message>
        <source>Pasmo [°]</source>
        <translation>Band [°]</translation>
    </message>
    <message>
        <source>Dryf [°/h]</source>
        <translation>Drift [°/h]</translation>
    </message>
    <message>
        <source>Kopiuj punkt</source>
        <translation>Copy point</translation>
    </message>
    <message>
        <source>Ciśnienie (%1)</source>
        <translation>Pressure (%1)</translation>
    </message>
    <message>
        <source>czas stabilności: %1</source>
        <translation>stable for %1</translation>
    </message>
    <message>
        <source>okno: %1 z %2 s</source>
        <translation>window: %1 of %2 s</translation>
    </message>
</context>
<context>
    <name>SecretFile</name>
    <message>
        <source>każdy użytkownik komputera może czytać plik %1 (uprawnienia %2), a jest w nim tajemnica, więc program go nie użyje; odbierz innym dostęp: chmod o-rwx %1 (właściciel i grupa nadal mogą go czytać)</source>
        <translation>every user of the machine can read the file %1 (mode %2), which holds a secret, so it is not used; take the others&apos; access away: chmod o-rwx %1 (its owner and group can still read it)</translation>
    </message>
</context>
<context>
    <name>SettingsField</name>
    <message>
        <source>Displayed unit</source>
        <translation>Displayed unit</translation>
    </message>
    <message>
        <source>Temp System Unit</source>
        <translation>Temp. System Unit</translation>
    </message>
    <message>
        <source>Manual Temp.</source>
        <translation>Manual Temp.</translation>
    </message>
    <message>
        <source>Pressure</source>
        <translation>Pressure</translation>
    </message>
    <message>
        <source>Buzzer</source>
        <translation>Buzzer</translation>
    </message>
    <message>
        <source>Alarm 1: Tryb pracy</source>
        <translation>Alarm 1 mode</translation>
    </message>
    <message>
        <source>Alarm 1: Próg górny</source>
        <translation>Up threshold Al1</translation>
    </message>
    <message>
        <source>Alarm 1: Próg dolny</source>
        <translation>Down threshold Al1</translation>
    </message>
    <message>
        <source>Alarm 2: Tryb pracy</source>
        <translation>Alarm 2 mode</translation>
    </message>
    <message>
        <source>Alarm 2: Próg górny</source>
        <translation>Up threshold Al2</translation>
    </message>
    <message>
        <source>Alarm 2: Próg dolny</source>
        <translation>Down threshold Al2</translation>
    </message>
    <message>
        <source>Wyjście 1: Rodzaj wyjścia</source>
        <translation>Output 1 mode</translation>
    </message>
    <message>
        <source>Wyjście 1 min</source>
        <translation>Output 1: Min value</translation>
    </message>
    <message>
        <source>Wyjście 1 max</source>
        <translation>Output 1: Max value</translation>
    </message>
    <message>
        <source>Wyjście 2: Rodzaj wyjścia</source>
        <translation>Output 2 mode</translation>
    </message>
    <message>
        <source>Wyjście 2 min</source>
        <translation>Output 2: Min value</translation>
    </message>
    <message>
        <source>Wyjście 2 max</source>
        <translation>Output 2: Max value</translation>
    </message>
    <message>
        <source>Czyszczenie co</source>
        <translation>Cleaning interval</translation>
    </message>
    <message>
        <source>Logger: Mode</source>
        <translation>Logger: Mode</translation>
    </message>
    <message>
        <source>Record when AL1</source>
        <translation>Record when AL1</translation>
    </message>
    <message>
        <source>Record when AL2</source>
        <translation>Record when AL2</translation>
    </message>
    <message>
        <source>Record interval</source>
        <translation>Record interval</translation>
    </message>
</context>
<context>
    <name>SettingsPage</name>
    <message>
        <source>Basic</source>
        <comment>Label50</comment>
        <translation>Basic</translation>
    </message>
    <message>
        <source>Alarms</source>
        <comment>Label47</comment>
        <translation>Alarms</translation>
    </message>
    <message>
        <source>Analogue Outputs</source>
        <comment>Label48</comment>
        <translation>Analogue Outputs</translation>
    </message>
    <message>
        <source>Logger</source>
        <comment>Label49</comment>
        <translation>Logger</translation>
    </message>
    <message>
        <source>Odczytaj ustawienia</source>
        <comment>Button2</comment>
        <translation>Load settings</translation>
    </message>
    <message>
        <source>Zapisz ustawienia</source>
        <comment>ZapisUstawien</comment>
        <translation>Save settings</translation>
    </message>
    <message>
        <source>Displayed unit</source>
        <comment>Label7</comment>
        <translation>Displayed unit</translation>
    </message>
    <message>
        <source>Temp System Unit</source>
        <comment>Label24</comment>
        <translation>Temp. System Unit</translation>
    </message>
    <message>
        <source>Manual Temp.</source>
        <comment>Label52</comment>
        <translation>Manual Temp.</translation>
    </message>
    <message>
        <source>Pressure</source>
        <comment>Label53</comment>
        <translation>Pressure</translation>
    </message>
    <message>
        <source>Buzzer</source>
        <comment>Label45</comment>
        <translation>Buzzer</translation>
    </message>
    <message>
        <source>Tryb pracy</source>
        <comment>Label26</comment>
        <translation>Alarm 1 mode</translation>
    </message>
    <message>
        <source>Próg górny</source>
        <comment>Label6</comment>
        <translation>Up threshold Al1</translation>
    </message>
    <message>
        <source>Próg dolny</source>
        <comment>Label27</comment>
        <translation>Down threshold Al1</translation>
    </message>
    <message>
        <source>Tryb pracy</source>
        <comment>Label29</comment>
        <translation>Alarm 2 mode</translation>
    </message>
    <message>
        <source>Próg górny</source>
        <comment>Label30</comment>
        <translation>Up threshold Al2</translation>
    </message>
    <message>
        <source>Próg dolny</source>
        <comment>Label31</comment>
        <translation>Down threshold Al2</translation>
    </message>
    <message>
        <source>Rodzaj wyjścia</source>
        <comment>Label1</comment>
        <translation>Output 1 mode:</translation>
    </message>
    <message>
        <source>Wyjście 1 min</source>
        <comment>Label4</comment>
        <translation>Min value</translation>
    </message>
    <message>
        <source>Wyjście 1 max</source>
        <comment>Label5</comment>
        <translation>Max value</translation>
    </message>
    <message>
        <source>Rodzaj wyjścia</source>
        <comment>Label32</comment>
        <translation>Output 2 mode</translation>
    </message>
    <message>
        <source>Wyjście 2 min</source>
        <comment>Label2</comment>
        <translation>Min value</translation>
    </message>
    <message>
        <source>Wyjście 2 max</source>
        <comment>Label3</comment>
        <translation>Max value</translation>
    </message>
    <message>
        <source>Mode</source>
        <comment>Label46</comment>
        <translation>Mode</translation>
    </message>
    <message>
        <source>Record when AL1</source>
        <comment>Label51</comment>
        <translation>Record when AL1</translation>
    </message>
    <message>
        <source>Record when AL2</source>
        <comment>Label55</comment>
        <translation>Record when AL2</translation>
    </message>
    <message>
        <source>Record interval</source>
        <comment>Label56</comment>
        <translation>Record interval</translation>
    </message>
    <message>
        <source>Czyszczenie co</source>
        <comment>Label19</comment>
        <translation>Cleaning interval</translation>
    </message>
    <message>
        <source>godzin(y)</source>
        <comment>Label20</comment>
        <translation>Hour(s)</translation>
    </message>
    <message>
        <source>Jednostka</source>
        <comment>Label18</comment>
        <translation>Unit</translation>
    </message>
    <message>
        <source>Jednostka</source>
        <comment>Label33</comment>
        <translation>Unit</translation>
    </message>
    <message>
        <source>Jednostki</source>
        <comment>Label25</comment>
        <translation>Unit</translation>
    </message>
    <message>
        <source>Jednostki</source>
        <comment>Label28</comment>
        <translation>Unit</translation>
    </message>
</context>
<context>
    <name>SettingsSave</name>
    <message>
        <source>%1: nie wybrano pozycji</source>
        <translation>%1: no item selected</translation>
    </message>
    <message>
        <source>%1: &apos;%2&apos; jest poza zakresem od %3 do %4</source>
        <translation>%1: &apos;%2&apos; is not in the range %3 to %4</translation>
    </message>
</context>
<context>
    <name>Status</name>
    <message>
        <source> (port %1 z %2)</source>
        <translation> (port %1 of %2)</translation>
    </message>
    <message>
        <source>Połączono: %1, %2 — zapisanych próbek: %3, ostatnia: %4</source>
        <translation>Connected: %1, %2 — samples logged: %3, last sample: %4</translation>
    </message>
    <message>
        <source> — brak danych od %1 s</source>
        <translation> — no data for %1 s</translation>
    </message>
    <message>
        <source>Nie połączono</source>
        <translation>Not connected</translation>
    </message>
    <message>
        <source>Szukanie przyrządu</source>
        <translation>Looking for the instrument</translation>
    </message>
    <message>
        <source>Łączenie z %1</source>
        <translation>Connecting to %1</translation>
    </message>
    <message>
        <source>Połączenie utracone — ponawianie</source>
        <translation>Connection lost — retrying</translation>
    </message>
    <message>
        <source> — niepełna odpowiedź (%1 z %2 bajtów)</source>
        <translation> — incomplete reply (%1 of %2 bytes)</translation>
    </message>
    <message>
        <source> — za długa odpowiedź (%1 bajtów)</source>
        <translation> — reply too long (%1 bytes)</translation>
    </message>
</context>
<context>
    <name>SystemError</name>
    <message>
        <source>pl_PL.UTF-8</source>
        <comment>the C library&apos;s locale for the texts of other errors</comment>
        <translation>C.UTF-8</translation>
    </message>
    <message>
        <source>Połączenie odrzucone</source>
        <translation>Connection refused</translation>
    </message>
    <message>
        <source>Przekroczony czas oczekiwania na połączenie</source>
        <translation>Connection timed out</translation>
    </message>
    <message>
        <source>Brak trasy do hosta</source>
        <translation>No route to host</translation>
    </message>
    <message>
        <source>Host nie działa</source>
        <translation>Host is down</translation>
    </message>
    <message>
        <source>Sieć jest niedostępna</source>
        <translation>Network is unreachable</translation>
    </message>
    <message>
        <source>Połączenie zerwane przez drugą stronę</source>
        <translation>Connection reset by peer</translation>
    </message>
    <message>
        <source>Połączenie przerwane</source>
        <translation>Software caused connection abort</translation>
    </message>
    <message>
        <source>Przerwany potok</source>
        <translation>Broken pipe</translation>
    </message>
    <message>
        <source>Adres jest już w użyciu</source>
        <translation>Address already in use</translation>
    </message>
    <message>
        <source>Nie można przypisać żądanego adresu</source>
        <translation>Cannot assign requested address</translation>
    </message>
    <message>
        <source>Brak dostępu</source>
        <translation>Permission denied</translation>
    </message>
    <message>
        <source>Operacja niedozwolona</source>
        <translation>Operation not permitted</translation>
    </message>
    <message>
        <source>Nie ma takiego pliku ani katalogu</source>
        <translation>No such file or directory</translation>
    </message>
    <message>
        <source>Urządzenie lub zasoby zajęte</source>
        <translation>Device or resource busy</translation>
    </message>
    <message>
        <source>Błąd wejścia/wyjścia</source>
        <translation>Input/output error</translation>
    </message>
    <message>
        <source>Nie ma takiego urządzenia ani adresu</source>
        <translation>No such device or address</translation>
    </message>
    <message>
        <source>Nie ma takiego urządzenia</source>
        <translation>No such device</translation>
    </message>
    <message>
        <source>To nie jest urządzenie znakowe terminala</source>
        <translation>Inappropriate ioctl for device</translation>
    </message>
    <message>
        <source>Za dużo otwartych plików</source>
        <translation>Too many open files</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>Wykres</source>
        <comment>TabSheet1</comment>
        <translation>Chart</translation>
    </message>
    <message>
        <source>Ustawienia</source>
        <comment>TabSheet2</comment>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Higrometr</source>
        <comment>TabSheet3</comment>
        <translation>Hygrometer</translation>
    </message>
    <message>
        <source>Rejestrator</source>
        <comment>TabSheet4</comment>
        <translation>Logger</translation>
    </message>
    <message>
        <source>Wielkości</source>
        <comment>TabSheet5</comment>
        <translation>Quantities</translation>
    </message>
</context>
<context>
    <name>Telemetry</name>
    <message>
        <source>Nie można udostępnić metryk na %1: %2</source>
        <translation>Cannot serve the metrics on %1: %2</translation>
    </message>
    <message>
        <source>Metryki dla Prometheusa: %1</source>
        <translation>Metrics for Prometheus: %1</translation>
    </message>
    <message>
        <source>MQTT: połączono z %1</source>
        <translation>MQTT: connected to %1</translation>
    </message>
    <message>
        <source>MQTT: połączono ponownie z %1; dotąd niewysłanych próbek: %2</source>
        <translation>MQTT: connected again to %1; samples not sent so far: %2</translation>
    </message>
    <message>
        <source>MQTT: brak połączenia z %1 (%2); próby trwają w tle</source>
        <translation>MQTT: cannot reach %1 (%2); trying again in the background</translation>
    </message>
    <message>
        <source>MQTT: niewysłanych próbek: %1</source>
        <translation>MQTT: samples not sent: %1</translation>
    </message>
</context>
</TS>
