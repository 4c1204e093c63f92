// What a back end gives the session and the command.
#pragma once

#include <DataAccess/DbValue.h>

#include <memory>

#include <string>
#include <vector>

#define DBR_OK ((int32_t)0)
#define DBR_FAIL ((int32_t)0x80004005L)
#define DBR_FAILED(hr) ((int32_t)(hr) < 0)

// An error as a back end reports it: UTF-8 description.
struct CDbBackendError
{
    std::string strDescription;
    int32_t hr;
};

class CDbBackend
{
public:
    virtual ~CDbBackend() = default;
    // Runs one statement; a query's rows go to rows (columns counted in nColumns, described
    // in *pColumns when given).
    virtual int32_t Execute(const std::string& sql, const std::vector<CDbValue>& params,
                            std::vector<std::vector<CDbValue>>& rows, int& nColumns,
                            std::vector<CDbBackendError>& errors,
                            std::vector<CDbColumnDesc>* pColumns = nullptr) = 0;
    // Rows the last statement run by Execute changed (inserted, updated or deleted).
    virtual long long LastChanges() const = 0;
    virtual int32_t Begin(long isoLevel, std::vector<CDbBackendError>& errors) = 0;
    virtual int32_t Commit(std::vector<CDbBackendError>& errors) = 0;
    virtual int32_t Abort(std::vector<CDbBackendError>& errors) = 0;
    virtual int32_t LastInsertId(long long& nId, std::vector<CDbBackendError>& errors) = 0;
    // An open rowset keeps the connection's read snapshot until it is closed (counted).
    virtual void HoldRead() {}
    virtual void ReleaseRead() {}
};

// bTaskTables: the five task tables are made when missing; bWal: the file is switched to
// write-ahead logging.
std::shared_ptr<CDbBackend> OpenSqliteBackend(const std::string& utf8Path, bool bTaskTables,
                                              std::vector<CDbBackendError>& errors, int nBusyMilliseconds = 10000,
                                              bool bWal = true);
std::shared_ptr<CDbBackend> OpenOdbcBackend(const std::string& connect, std::vector<CDbBackendError>& errors);
